#include "platform/WallClockWatch.h"

#include <QSocketNotifier>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#endif

namespace vesk {

WallClockWatch::WallClockWatch(QObject *parent)
    : QObject(parent)
{
#ifdef Q_OS_LINUX
    m_fd = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0)
        return;
    arm();
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WallClockWatch::readable);
#endif
}

WallClockWatch::~WallClockWatch()
{
#ifdef Q_OS_LINUX
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

void WallClockWatch::arm()
{
#ifdef Q_OS_LINUX
    // An absolute time far ahead that never comes: the timer only ever ends
    // by being cancelled when the clock is set.
    itimerspec far {};
    far.it_value.tv_sec = 0x7fffffff;
    ::timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr);
#endif
}

void WallClockWatch::readable()
{
#ifdef Q_OS_LINUX
    std::uint64_t expirations = 0;
    const ssize_t got = ::read(m_fd, &expirations, sizeof expirations);
    if (got < 0 && errno == ECANCELED) {
        arm();
        emit changed();
    }
#endif
}

} // namespace vesk
