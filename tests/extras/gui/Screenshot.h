#pragma once

#include "support/TestPaths.h"

#include <QDir>
#include <QWidget>

namespace vesk::test {

// Writes what the window shows to <build>/artefacts/<name>.png, for a person
// to look at.
inline bool saveScreenshot(QWidget &window, const QString &name)
{
    const QString folder = binaryDir() + QStringLiteral("/artefacts");
    QDir().mkpath(folder);
    return window.grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

} // namespace vesk::test
