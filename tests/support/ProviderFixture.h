#pragma once

#include "platform/EventPump.h"
#include "platform/Timer.h"
#include "session/ProviderSession.h"
#include "support/CoreFixture.h"
#include "support/ScriptedProvider.h"

#include <memory>

namespace vesk::test {

// A whole provider session on real sockets against a peer on loopback: the
// scripted provider or a real server the test starts. Timers and waits run
// in real time, or in fake time where a test waits for the watchdog.
class ProviderFixture : public CoreFixture
{
protected:
    ProviderFixture()
    {
        recordMonitor();
        m_config.Host = m_config.SMTP = QStringLiteral("127.0.0.1");
        m_config.UserID = QStringLiteral("taro");
        m_config.Password = QStringLiteral("pa55word");
        m_config.ServerON = true;
        m_config.RetrPauseMs = m_config.SavedPauseMs = 0;
        m_config.POP3_ServerVesk = m_config.SMTP_ServerVesk = m_provider.port();
    }

    ProviderSession &session(bool fakeTime = false)
    {
        if (!m_session) {
            m_pump.timers = &m_timers;
            m_pump.serveEventLoop = true;
            m_sessionCore = std::make_unique<CoreServices>(CoreServices { m_clock,
                fakeTime ? static_cast<TimerFactory &>(m_timers) : QtTimerFactory::instance(),
                fakeTime ? static_cast<EventPump &>(m_pump) : QtEventPump::instance(), m_messenger, m_store,
                m_state, m_monitor });
            m_session = std::make_unique<ProviderSession>(*m_sessionCore, m_host, m_host);
        }
        m_session->setConfig(m_config);
        return *m_session;
    }
    // Greeting, USER/PASS and STAT with `count` messages.
    void scriptLogin(int count, const QByteArray &greeting = "+OK ready\r\n")
    {
        m_provider.addGreeting(greeting);
        m_provider.answer("USER taro", "+OK");
        m_provider.answer("PASS pa55word", "+OK logged in");
        m_provider.answer("STAT", "+OK " + QByteArray::number(count) + " 900");
    }

    SessionConfig m_config;
    ScriptedProvider m_provider;
    std::unique_ptr<CoreServices> m_sessionCore;
    std::unique_ptr<ProviderSession> m_session;
};

} // namespace vesk::test
