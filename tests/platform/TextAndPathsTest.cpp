#include "platform/Blanks.h"
#include "platform/Paths.h"

#include <QDir>
#include <QString>

#include <gtest/gtest.h>

namespace vesk::test {

TEST(Blanks, OnlySpaceTabAndLineEndsAreTrimmed)
{
    const struct
    {
        QByteArray text, trimmed, rightTrimmed, trimmedOfControls;
    } cases[] = {
        { " \t\r\nx y\r\n\t ", "x y", " \t\r\nx y", "x y" },
        // Raw JIS text opens and closes with ESC at either end of a value.
        { "\x1b$B$\"\x1b(B ", "\x1b$B$\"\x1b(B", "\x1b$B$\"\x1b(B", "$B$\"\x1b(B" },
        { "\x01\v\fid\x7f", "\x01\v\fid\x7f", "\x01\v\fid\x7f", "id\x7f" },
        { " \t ", "", "", "" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(Blanks::trimmed(c.text), c.trimmed);
        EXPECT_EQ(Blanks::rightTrimmed(c.text), c.rightTrimmed);
        EXPECT_EQ(Blanks::trimmedOfControls(c.text), c.trimmedOfControls);
        EXPECT_EQ(Blanks::trimmed(QString::fromLatin1(c.text)), QString::fromLatin1(c.trimmed));
    }
    // A full-width space is a character of the text.
    EXPECT_EQ(Blanks::trimmed(QStringView(u"\u3000rule\u3000 ")), u"\u3000rule\u3000");
}

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
