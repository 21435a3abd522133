#pragma once

#include "session/TokenSource.h"

#include <QString>

namespace vesk {

class CommandRunner;
class EventPump;
class TimerFactory;

// The token command (TokenCommand): run before each session, its first
// line of output is the access token. The token is handed on and kept
// nowhere.
class TokenCommand final : public TokenSource
{
public:
    TokenCommand(CommandRunner &runner, TimerFactory &timers, EventPump &pump);

    void setCommand(const QString &command) { m_command = command; }
    const QString &command() const { return m_command; }

    QString accessToken(QString *error) override;
    // The command knows best when its token lapses: it runs again at the
    // next session, not at once.
    bool rejected() override { return false; }

    // A command that has printed nothing usable by then is stopped.
    static constexpr int LimitMs = 30 * 1000;

private:
    CommandRunner &m_runner;
    TimerFactory &m_timers;
    EventPump &m_pump;
    QString m_command;
};

} // namespace vesk
