#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace vesk::paths {
namespace {

QString xdgDir(const char *variable, const QString &fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    // The XDG rules say relative values are invalid and must be ignored.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + fallbackUnderHome);
}

} // namespace

QString configHome()
{
    return xdgDir("XDG_CONFIG_HOME", QStringLiteral(".config"));
}

QString settingsFile()
{
    return configHome() + QStringLiteral("/Dorvane/Vesk.ini");
}

QString dataDir()
{
    return xdgDir("XDG_DATA_HOME", QStringLiteral(".local/share")) + QStringLiteral("/Dorvane/Vesk");
}

QString runtimeDir()
{
    const QString value = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value) + QStringLiteral("/vesk");
    return QStringLiteral("/tmp/vesk-%1").arg(::getuid());
}

QString shippedDir()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QString installed = QDir::cleanPath(appDir + QStringLiteral("/../share/vesk"));
    if (QFileInfo::exists(installed))
        return installed;
    const QString sourceTree = QStringLiteral(VESK_SOURCE_RESOURCES);
    return sourceTree.isEmpty() ? installed : sourceTree;
}

} // namespace vesk::paths
