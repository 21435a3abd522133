#include "platform/Autostart.h"
#include "support/TestFiles.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

class AutostartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_saved); }

    // The program a desktop session would start from the entry.
    static QString startedProgram()
    {
        // GLib's own reading: the key file's escapes, then "%%", then the
        // shell-like quoting of the command line.
        const char *script = "import sys\n"
                             "from gi.repository import GLib\n"
                             "entry = GLib.KeyFile()\n"
                             "entry.load_from_file(sys.argv[1], GLib.KeyFileFlags.NONE)\n"
                             "line = entry.get_string('Desktop Entry', 'Exec').replace('%%', '%')\n"
                             "sys.stdout.write(GLib.shell_parse_argv(line)[1][0])\n";
        QProcess python;
        python.start(systemPython(), { "-c", script, Autostart::entryPath() });
        python.waitForFinished(30000);
        return QString::fromUtf8(python.readAllStandardOutput());
    }

    QTemporaryDir m_dir;
    QByteArray m_saved;
};

TEST_F(AutostartTest, EnableWritesAnEntryThatStartsTheProgram)
{
    EXPECT_EQ(Autostart::entryPath(), m_dir.path() + "/autostart/vesk.desktop");
    EXPECT_FALSE(Autostart::isEnabled());
    EXPECT_TRUE(Autostart::disable());

    for (const QString program : { "/usr/bin/vesk", "/home/taro/my apps/\"v\" $HOME `x` 100% \\vesk" }) {
        QString error;
        ASSERT_TRUE(Autostart::enable(program, &error)) << error.toStdString();
        EXPECT_TRUE(Autostart::isEnabled());
        EXPECT_EQ(startedProgram(), program);
        QProcess validate;
        validate.start("desktop-file-validate", { Autostart::entryPath() });
        ASSERT_TRUE(validate.waitForFinished(30000));
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    }

    EXPECT_TRUE(Autostart::disable());
    EXPECT_FALSE(Autostart::isEnabled());
}

TEST_F(AutostartTest, RefusesWhatItCannotWrite)
{
    QString error;
    for (const QString program : { "vesk", "/usr/bin/vesk\nExec=/bin/evil", "" }) {
        EXPECT_FALSE(Autostart::enable(program, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(Autostart::isEnabled());
    }

    // A file where the autostart folder belongs.
    ASSERT_TRUE(writeFile(m_dir.filePath("autostart")));
    error.clear();
    EXPECT_FALSE(Autostart::enable("/usr/bin/vesk", &error));
    EXPECT_TRUE(error.contains(m_dir.filePath("autostart"))) << error.toStdString();
}

} // namespace
} // namespace vesk::test
