#include "platform/Timer.h"

#include <QTimer>

namespace vesk {
namespace {

class QtTimer final : public Timer
{
public:
    QtTimer()
    {
        // A coarse timer may end a 100 ms pause 5 ms early or late; the
        // program's pauses and rhythms are meant to the millisecond.
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { fire(); });
    }
    void setInterval(int ms) override { m_timer.setInterval(ms); }
    int interval() const override { return m_timer.interval(); }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace

std::unique_ptr<Timer> QtTimerFactory::create()
{
    return std::make_unique<QtTimer>();
}

QtTimerFactory &QtTimerFactory::instance()
{
    static QtTimerFactory factory;
    return factory;
}

} // namespace vesk
