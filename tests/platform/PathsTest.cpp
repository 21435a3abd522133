#include "platform/Paths.h"

#include <QDir>

#include <gtest/gtest.h>

namespace vesk::test {

class PathsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_config = qgetenv("XDG_CONFIG_HOME");
        m_data = qgetenv("XDG_DATA_HOME");
    }
    void TearDown() override
    {
        qputenv("XDG_CONFIG_HOME", m_config);
        qputenv("XDG_DATA_HOME", m_data);
    }
    QByteArray m_config, m_data;
};

TEST_F(PathsTest, FollowTheXdgVariables)
{
    qputenv("XDG_CONFIG_HOME", "/tmp/cfg");
    qputenv("XDG_DATA_HOME", "/tmp/data/");
    EXPECT_EQ(paths::settingsFile(), "/tmp/cfg/Dorvane/Vesk.ini");
    EXPECT_EQ(paths::dataDir(), "/tmp/data/Dorvane/Vesk");
}

TEST_F(PathsTest, IgnoreEmptyOrRelativeVariables)
{
    qputenv("XDG_CONFIG_HOME", "relative/cfg");
    qputenv("XDG_DATA_HOME", "");
    EXPECT_EQ(paths::settingsFile(), QDir::homePath() + "/.config/Dorvane/Vesk.ini");
    EXPECT_EQ(paths::dataDir(), QDir::homePath() + "/.local/share/Dorvane/Vesk");
}

} // namespace vesk::test
