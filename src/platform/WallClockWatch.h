#pragma once

#include <QObject>

class QSocketNotifier;

namespace vesk {

// Tells when the wall clock jumps: set by hand or by time synchronisation,
// or moved on by a resume from suspend. Timers run on the monotonic clock
// and do not see either. Linux only (a cancelled timerfd); elsewhere it
// never tells.
class WallClockWatch final : public QObject
{
    Q_OBJECT
public:
    explicit WallClockWatch(QObject *parent = nullptr);
    ~WallClockWatch() override;

signals:
    void changed();

private:
    void arm();
    void readable();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace vesk
