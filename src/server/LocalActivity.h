#pragma once

#include "server/LoginPenalty.h"

namespace vesk {

struct SessionState;

// What the local dialogues share with the rest of the program through the
// session state: the status marker while a mailer is served, and whether a
// POP3 dialogue of either mailer runs (the SMTP end waits on it); and among
// themselves the count of failed logins.
class LocalActivity final
{
public:
    explicit LocalActivity(SessionState &state)
        : m_state(state)
    { }

    // A dialogue starts: the marker shows ".".
    void holdMarker();
    // A dialogue ended: when no other one runs and the marker still shows
    // ".", it becomes `result` ("" ended well, "x" failed).
    void releaseMarker(const char *result);
    // The listening servers close for a provider session, which owns the
    // marker now: let go without touching it.
    void dropMarker();
    // The marker shows "." because of a provider session, not a mailer.
    bool providerRunning() const;

    void pop3Began();
    void pop3Ended();
    int pop3Dialogues() const { return m_pop3; }

    LoginPenalty &logins() { return m_logins; }

private:
    SessionState &m_state;
    int m_markerHolders = 0;
    int m_pop3 = 0;
    LoginPenalty m_logins;
};

} // namespace vesk
