#include "extras/monitor/gui/DebugForm.h"
#include "mail/ProtocolMonitor.h"
#include "settings/SettingsSections.h"
#include "support/FakeClock.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingMessenger.h"
#include "support/Screenshot.h"
#include "support/TestFiles.h"
#include "support/WaitFor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

class DebugFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_settings.writeInteger(sections::Disp, "DebugLeft", 40);
        m_settings.writeInteger(sections::Disp, "DebugTop", 30);
        m_form = new TDebugForm(m_monitor, m_settings, m_messenger, m_clock, m_data.path());
        m_form->show();
    }
    void TearDown() override { delete m_form; }

    QString shown() const
    {
        // The view catches up at the end of the event loop's turn, or a
        // tenth of a second after the last time.
        const QAbstractItemModel *lines = view()->model();
        const QStringList &log = m_form->log().lines();
        waitFor(
            [&] {
                const int rows = lines->rowCount();
                return rows == log.size()
                    && (rows == 0 || lines->index(rows - 1, 0).data().toString() == log.last());
            },
            1000);
        QStringList text;
        for (int row = 0; row < lines->rowCount(); ++row)
            text << lines->index(row, 0).data().toString();
        return text.join('\n');
    }
    QListView *view() const { return m_form->findChild<QListView *>("memMon"); }
    void click(const char *button) { m_form->findChild<QPushButton *>(button)->click(); }

    ProtocolMonitor m_monitor;
    MemorySettingsStore m_settings;
    RecordingMessenger m_messenger;
    FakeClock m_clock { QDateTime(QDate(2026, 12, 6), QTime(8, 15, 30)) };
    QTemporaryDir m_data;
    QPointer<TDebugForm> m_form;
};

TEST_F(DebugFormTest, ShowsTheMonitorsLinesAndSavesThem)
{
    // Its client area, the place it saves.
    EXPECT_EQ(m_form->geometry().topLeft(), QPoint(40, 30));
    ASSERT_TRUE(m_monitor.isOpen());
    m_monitor.setPassword("secret");
    m_monitor.debug("----- Server > Vesk -----");
    m_monitor.debug("+OK POP3 ready\r\n");
    m_monitor.debug("<USER taro");
    m_monitor.debug("<PASS secret");
    m_monitor.debug("+OK 2 messages\r\n1 120\r\n2 300\r\n.");
    m_monitor.debug("VeskTalk< Failed ! >");
    const QString lines = "----- Server > Vesk -----\n+OK POP3 ready\n<USER taro\n<PASS ******\n"
                          "+OK 2 messages\n1 120\n2 300\n.\nVeskTalk< Failed ! >";
    EXPECT_EQ(shown(), lines);
    EXPECT_TRUE(saveScreenshot(*m_form, "debug-form"));

    click("btnSave");
    EXPECT_EQ(m_messenger.beeps, 1);
    EXPECT_EQ(m_messenger.messages, QStringList { "261206081530.LOG　でセーブしました" });
    EXPECT_EQ(
        fileBytes(m_data.filePath("261206081530.LOG")), QString(lines + "\n").replace("\n", "\r\n").toUtf8());

    click("btnClear");
    EXPECT_EQ(shown(), "");
    EXPECT_TRUE(m_form->log().lines().isEmpty());
    m_monitor.debug("+OK");
    EXPECT_EQ(shown(), "+OK");
}

TEST_F(DebugFormTest, ShowsOnlyWhatTheLogKeeps)
{
    int next = 0;
    // Turns of the event loop with a few lines and with many.
    const qsizetype bursts[] = { 3, MonitorLog::MaxLines - 10, 50, 7, MonitorLog::MaxLines * 2, 1 };
    for (qsizetype burst : bursts) {
        for (int i = 0; i < burst; ++i)
            m_monitor.debug(QString::number(next++));
        EXPECT_EQ(shown(), m_form->log().lines().join('\n')) << burst;
    }
    const QAbstractItemModel *lines = view()->model();
    EXPECT_LE(lines->rowCount(), MonitorLog::MaxLines);
    EXPECT_EQ(lines->index(lines->rowCount() - 1, 0).data().toString(), QString::number(next - 1));
}

TEST_F(DebugFormTest, CopyTakesTheSelectedLinesInOrder)
{
    m_monitor.debug("+OK ready\r\n<USER taro\r\n+OK");
    ASSERT_EQ(shown(), "+OK ready\n<USER taro\n+OK");
    QListView *lines = view();
    lines->selectionModel()->select(lines->model()->index(2, 0), QItemSelectionModel::Select);
    lines->selectionModel()->select(lines->model()->index(0, 0), QItemSelectionModel::Select);
    ASSERT_EQ(lines->actions().size(), 1);
    EXPECT_EQ(lines->actions().first()->shortcut(), QKeySequence(QKeySequence::Copy));
    lines->actions().first()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "+OK ready\n+OK");
}

TEST_F(DebugFormTest, EscapeClosesAndTheMonitorStopsWithIt)
{
    m_form->setGeometry(QRect(QPoint(70, 80), m_form->size()));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(view(), &escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_form.isNull());
    EXPECT_FALSE(m_monitor.isOpen());
    m_monitor.debug("+OK");
    EXPECT_EQ(m_settings.readInteger(sections::Disp, "DebugLeft", 0), 70);
    EXPECT_EQ(m_settings.readInteger(sections::Disp, "DebugTop", 0), 80);
}

TEST_F(DebugFormTest, APlaceOffEveryScreenIsNotRestored)
{
    delete m_form;
    m_settings.writeInteger(sections::Disp, "DebugLeft", -5000);
    m_form = new TDebugForm(m_monitor, m_settings, m_messenger, m_clock, m_data.path());
    m_form->show();
    EXPECT_TRUE(QApplication::primaryScreen()->availableGeometry().contains(m_form->geometry().topLeft()));
}

} // namespace
} // namespace vesk::test
