#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace vesk {

// How long the answer to a POP3 login waits. The local password is the
// provider's, and every connection comes from this machine, so failures are
// counted for all connections together: the first wrong password is
// answered after 2 s, each further one after twice as long (up to 16 s),
// and while such a penalty stands a right password waits as long, so that
// giving up on a slow answer tells nothing. The count is forgotten after
// five quiet minutes.
class LoginPenalty final
{
public:
    static constexpr qint64 FirstDelayMs = 2000;
    static constexpr qint64 MaxDelayMs = 16000;
    static constexpr qint64 QuietMs = 5 * 60 * 1000;

    // A login was judged at `now`: the wait before its answer.
    qint64 judged(bool passed, const QDateTime &now);
    int failures() const { return m_failures; }

private:
    int m_failures = 0;
    QDateTime m_lastFailure;
};

} // namespace vesk
