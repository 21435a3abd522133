#pragma once

#include "RecordingLink.h"

#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "session/ClientJudge.h"
#include "session/SessionConfig.h"
#include "session/SessionContext.h"
#include "store/MessageStore.h"
#include "support/FakeClock.h"
#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"
#include "support/RecordingHost.h"
#include "support/RecordingMessenger.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {

// The dialogue on its own: reply lines go in, the commands it sends come out
// of the recording link. The store is real, in a temporary folder.
class JudgeFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store.createFolders(m_messenger);
        m_config.Host = QStringLiteral("pop.example.jp");
        m_config.SMTP = QStringLiteral("smtp.example.jp");
        m_config.UserID = QStringLiteral("taro");
        m_config.Password = QStringLiteral("secret99");
        m_monitor.attach([this](const QString &line) { m_monitorLines << line; });
        m_monitor.setPassword(m_config.Password);
        m_state.marker = QStringLiteral(".");
        m_link.onClientOff = [this] { m_judge.setClientState(ClientIdle); };
    }

    // Feeds lines to the judge as the line assembly would.
    void reply(const QByteArray &line) { m_judge.judge(line); }
    QList<QByteArray> sent() { return m_link.take(); }

    void startDownload()
    {
        m_judge.beginDownload();
        m_link.restartWatchdog();
    }
    // Greeting, USER/PASS and STAT with `count` messages.
    void loginWith(int count)
    {
        startDownload();
        reply("+OK ready");
        reply("+OK user");
        reply("+OK pass");
        reply("+OK " + QByteArray::number(count) + " 1000");
        const auto lines = sent();
        ASSERT_GE(lines.size(), 3);
        EXPECT_EQ(lines.mid(0, 3), (QList<QByteArray> { "USER taro", "PASS secret99", "STAT" }));
        // What followed STAT is left for the test.
        m_link.taken -= lines.size() - 3;
    }

    void putOut(const QString &name, const QByteArray &content)
    {
        QFile file(m_store.filePath(Box::OutBox, name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }
    QStringList inBox() const { return m_store.listing(Box::InBox); }
    QStringList outBox() const { return m_store.listing(Box::OutBox); }
    QByteArray inFile(int index) const { return m_store.read(Box::InBox, inBox().value(index)); }

    QTemporaryDir m_dir;
    FakeClock m_clock { QDateTime(QDate(2026, 12, 6), QTime(9, 30, 0, 5)) };
    RecordingMessenger m_messenger;
    MessageStore m_store { m_dir.path(), m_clock };
    SessionState m_state;
    SessionConfig m_config;
    RecordingHost m_host;
    ProtocolMonitor m_monitor;
    QStringList m_monitorLines;
    FakeEventPump m_pump;
    FakeTimerFactory m_timers { &m_clock };
    RecordingLink m_link;
    CoreServices m_core { m_clock, m_timers, m_pump, m_messenger, m_store, m_state, m_monitor };
    SessionContext m_context { m_core, m_config, m_host, m_host };
    ClientJudge m_judge { m_context, m_link };
};

} // namespace vesk::test
