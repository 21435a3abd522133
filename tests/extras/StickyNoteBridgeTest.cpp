#include "extras/notes/StickyNoteBridge.h"
#include "pelma/HandOver.h"
#include "pelma/NoteBook.h"
#include "pelma/PelmaCommand.h"
#include "platform/EventPump.h"
#include "platform/Paths.h"
#include "platform/SingleInstance.h"
#include "settings/IniSettingsStore.h"
#include "support/RecordingMessenger.h"
#include "support/TestPaths.h"
#include "support/WaitFor.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace vesk::test {
namespace {

// The bridge against the real note program, in folders of the test's own
// (the note program finds them through the same XDG variables).
class StickyNoteBridgeTest : public ::testing::Test
{
protected:
    StickyNoteBridgeTest()
    {
        for (const char *name : { "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR" }) {
            m_saved.emplace_back(name, qgetenv(name));
            const QString folder = dir.path() + u'/' + QLatin1String(name);
            QDir().mkpath(folder);
            QFile::setPermissions(
                folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            qputenv(name, QFile::encodeName(folder));
        }
        places = NotePlaces::standard();
        places.program = binaryDir() + QStringLiteral("/src/pelma");
        places.workingDir = dir.path();
        settings = std::make_unique<IniSettingsStore>(paths::settingsFile());
        bridge = std::make_unique<StickyNoteBridge>(places, *settings, messenger, QtEventPump::instance());
    }

    ~StickyNoteBridgeTest() override
    {
        if (bridge->running())
            bridge->SendPelma(pelma::Close);
        waitFor([this] { return !bridge->running(); });
        for (const auto &[name, value] : m_saved) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }

    void SetUp() override
    {
        if (!QFileInfo(places.program).isExecutable())
            GTEST_SKIP() << "no note program built at " << places.program.toStdString();
    }

    QList<Note> notes() const { return NoteBook(places.notes).load(); }

    QTemporaryDir dir;
    NotePlaces places;
    RecordingMessenger messenger;
    std::unique_ptr<IniSettingsStore> settings;
    std::unique_ptr<StickyNoteBridge> bridge;

private:
    std::vector<std::pair<const char *, QByteArray>> m_saved;
};

TEST_F(StickyNoteBridgeTest, NotesReachTheNoteProgramWhetherItRunsOrNot)
{
    // Not running: it is started with the command and takes the hand-over.
    ASSERT_FALSE(bridge->running());
    bridge->addNote(QStringLiteral("2026/12/07 08:00"), QStringLiteral("会議の資料\n三階の会議室"));
    EXPECT_TRUE(bridge->running());
    EXPECT_EQ(bridge->startedPids().size(), 1);
    EXPECT_FALSE(HandOver::waiting(*settings));
    ASSERT_TRUE(waitFor([this] { return notes().size() == 1; }));
    EXPECT_EQ(notes()[0].date, "2026/12/07 08:00");
    EXPECT_EQ(notes()[0].text, "会議の資料\n三階の会議室");

    // Running: the command goes over its socket; it answers once it is done.
    bridge->addNote(QString(), QStringLiteral("ちょい見の本文"));
    ASSERT_EQ(notes().size(), 2);
    EXPECT_EQ(notes()[1].date, "");
    EXPECT_EQ(notes()[1].text, "ちょい見の本文");
    EXPECT_EQ(bridge->startedPids().size(), 1);
    for (const QString &command : { pelma::Main, pelma::Write, pelma::PaperHide })
        EXPECT_TRUE(bridge->SendPelma(command)) << command.toStdString();
    // PelmaDisp alone does nothing while it runs.
    EXPECT_FALSE(bridge->PelmaDisp(pelma::Main));
    EXPECT_EQ(messenger.beeps, 0);
    EXPECT_TRUE(messenger.messages.isEmpty());
}

TEST_F(StickyNoteBridgeTest, NotesSurviveAKillOfTheNoteProgram)
{
    bridge->addNote(QStringLiteral("2026/12/07 08:00"), QStringLiteral("一枚目"));
    bridge->addNote(QString(), QStringLiteral("二枚目"));
    ASSERT_EQ(bridge->startedPids().size(), 1);
    ASSERT_EQ(::kill(pid_t(bridge->startedPids()[0]), SIGKILL), 0);
    ASSERT_TRUE(waitFor([this] { return !bridge->running(); }));

    const QList<Note> left = notes();
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(left[0].text, "一枚目");
    EXPECT_EQ(left[1].text, "二枚目");
    EXPECT_EQ(QDir(places.notes).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // "付箋紙 ON/OFF" brings them back in a new copy.
    bridge->toggleNotes();
    ASSERT_TRUE(waitFor([this] { return bridge->running(); }));
    QStringList reply;
    ASSERT_TRUE(SingleInstance(places.socketFolder).request(pelma::Main, &reply, 5000));
    EXPECT_EQ(reply, (QStringList { "notes: 2", pelma::Ok }));
}

TEST_F(StickyNoteBridgeTest, WithoutNotesOrWithoutTheProgramItSaysSo)
{
    bridge->toggleNotes();
    EXPECT_EQ(
        messenger.messages, QStringList { "付箋内容はありません。\r\n「付箋紙設定」で追加して下さい。" });
    EXPECT_FALSE(bridge->running());

    places.program = dir.path() + QStringLiteral("/missing/pelma");
    StickyNoteBridge missing(places, *settings, messenger, QtEventPump::instance());
    EXPECT_FALSE(missing.programPresent());
    messenger.messages.clear();
    missing.openEditor();
    EXPECT_EQ(messenger.messages, QStringList { "Pelma.exeを起動出来ません" });
    EXPECT_EQ(messenger.beeps, 2);
    EXPECT_TRUE(missing.startedPids().isEmpty());
}

} // namespace
} // namespace vesk::test
