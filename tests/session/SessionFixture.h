#pragma once

#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"
#include "session/ProviderSession.h"
#include "store/MessageStore.h"
#include "support/FakeClock.h"
#include "support/FakeEventPump.h"
#include "support/FakeTimerFactory.h"
#include "support/RecordingHost.h"
#include "support/RecordingMessenger.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

namespace vesk::test {

// A whole provider session on real sockets against a peer on loopback; the
// store is real, in a temporary folder. Timers and waits run in real time,
// or in fake time where a test waits for the watchdog.
class SessionFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_store.createFolders(m_messenger);
        m_config.Host = QStringLiteral("127.0.0.1");
        m_config.SMTP = QStringLiteral("127.0.0.1");
        m_config.UserID = QStringLiteral("taro");
        m_config.Password = QStringLiteral("pa55word");
        m_config.ServerON = true;
        m_config.RetrPauseMs = 0;
        m_config.SavedPauseMs = 0;
        m_monitor.attach([this](const QString &line) { m_monitorLines << line; });
        m_fakePump.timers = &m_fakeTimers;
        m_fakePump.serveEventLoop = true;
    }

    ProviderSession &session(bool fakeTime = false)
    {
        if (!m_session) {
            EventPump &pump = fakeTime ? static_cast<EventPump &>(m_fakePump) : QtEventPump::instance();
            TimerFactory &timers
                = fakeTime ? static_cast<TimerFactory &>(m_fakeTimers) : QtTimerFactory::instance();
            m_core = std::make_unique<CoreServices>(
                CoreServices { m_clock, timers, pump, m_messenger, m_store, m_state, m_monitor });
            m_session = std::make_unique<ProviderSession>(*m_core, m_host, m_host);
        }
        m_session->setConfig(m_config);
        return *m_session;
    }

    void putOut(const QString &name, const QByteArray &content)
    {
        QFile file(m_store.filePath(Box::OutBox, name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }
    QStringList inBox() const { return m_store.listing(Box::InBox); }
    QStringList outBox() const { return m_store.listing(Box::OutBox); }
    QList<QByteArray> inFiles() const
    {
        QList<QByteArray> out;
        for (const QString &name : inBox())
            out << m_store.read(Box::InBox, name);
        return out;
    }

    QTemporaryDir m_dir;
    FakeClock m_clock { QDateTime(QDate(2026, 12, 6), QTime(9, 5, 0)) };
    RecordingMessenger m_messenger;
    MessageStore m_store { m_dir.path(), m_clock };
    SessionState m_state;
    SessionConfig m_config;
    RecordingHost m_host;
    ProtocolMonitor m_monitor;
    QStringList m_monitorLines;
    FakeTimerFactory m_fakeTimers;
    FakeEventPump m_fakePump;
    std::unique_ptr<CoreServices> m_core;
    std::unique_ptr<ProviderSession> m_session;
};

} // namespace vesk::test
