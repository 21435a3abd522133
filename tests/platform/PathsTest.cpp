#include "platform/Paths.h"

#include <QDir>

#include <gtest/gtest.h>

namespace vesk::test {

TEST(PathsTest, FollowTheXdgVariablesUnlessEmptyOrRelative)
{
    const QByteArray config = qgetenv("XDG_CONFIG_HOME"), data = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/cfg");
    qputenv("XDG_DATA_HOME", "/tmp/data/");
    EXPECT_EQ(paths::settingsFile(), "/tmp/cfg/Dorvane/Vesk.ini");
    EXPECT_EQ(paths::dataDir(), "/tmp/data/Dorvane/Vesk");
    qputenv("XDG_CONFIG_HOME", "relative/cfg");
    qputenv("XDG_DATA_HOME", "");
    EXPECT_EQ(paths::settingsFile(), QDir::homePath() + "/.config/Dorvane/Vesk.ini");
    EXPECT_EQ(paths::dataDir(), QDir::homePath() + "/.local/share/Dorvane/Vesk");
    qputenv("XDG_CONFIG_HOME", config);
    qputenv("XDG_DATA_HOME", data);
}

} // namespace vesk::test
