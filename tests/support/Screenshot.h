#pragma once

#include "support/TestPaths.h"

#include <QDir>
#include <QWidget>

namespace vesk::test {

// Writes what the window shows to <build>/artefacts/<name>.png, for a person
// to look at.
inline QString artefactPath(const QString &fileName)
{
    const QString folder = binaryDir() + QStringLiteral("/artefacts");
    QDir().mkpath(folder);
    return folder + u'/' + fileName;
}

inline bool saveScreenshot(QWidget &window, const QString &name)
{
    return window.grab().save(artefactPath(name + QStringLiteral(".png")));
}

} // namespace vesk::test
