#include "FakeDialUpBackend.h"

#include "dialup/DialErrors.h"
#include "dialup/DialStates.h"
#include "platform/Timer.h"

namespace vesk::test {

FakeDialUpBackend::FakeDialUpBackend(TimerFactory &timers)
    : m_timer(timers.create())
{
    m_timer->setInterval(10);
    m_timer->setCallback([this] { tick(); });
}

FakeDialUpBackend::~FakeDialUpBackend() = default;

QString FakeDialUpBackend::addConnection(const QString &entry, bool pointToPoint)
{
    ActiveConnection c;
    c.handle = QStringLiteral("/fake/%1").arg(++m_next);
    c.state = dialstate::Connected;
    c.entryName = entry;
    c.deviceType = pointToPoint ? QStringLiteral("modem") : QStringLiteral("ethernet");
    c.deviceName = pointToPoint ? QStringLiteral("ttyUSB0") : QStringLiteral("eth0");
    c.pointToPoint = pointToPoint;
    m_active << c;
    return c.handle;
}

void FakeDialUpBackend::report(const DialEvent &event)
{
    if (m_notify)
        m_notify(event);
}

int FakeDialUpBackend::listEntries(QStringList *names)
{
    if (!reachable)
        return dialerror::ServiceUnreachable;
    *names = entryNames;
    return 0;
}

int FakeDialUpBackend::dial(const QString &entry, QString *handle)
{
    ++dials;
    if (!reachable)
        return dialerror::ServiceUnreachable;
    if (!entryNames.contains(entry))
        return dialerror::EntryNotFound;
    const Line meets = lines.empty() ? line : lines.front();
    if (!lines.empty())
        lines.pop_front();
    *handle = addConnection(entry);
    m_lastHandle = *handle;
    m_active.last().state = dialstate::OpenPort;
    const QString h = *handle;
    switch (meets) {
    case Line::Answers: {
        int at = 0;
        for (int state : { 0, 2, 4, 5, 14, int(dialstate::Connected) })
            later(at += StepMs, [this, h, state] { setState(h, state, 0); });
        break;
    }
    case Line::Busy:
        later(StepMs, [this, h] { setState(h, dialstate::ConnectDevice, 0); });
        later(2 * StepMs, [this, h] { setState(h, dialstate::Disconnected, dialerror::LineBusy); });
        break;
    case Line::UserCancels:
        later(StepMs, [this, h] { setState(h, dialstate::Disconnected, dialerror::UserDisconnected); });
        break;
    case Line::Silent:
        break;
    }
    return 0;
}

int FakeDialUpBackend::hangUp(const QString &handle)
{
    hangUps << handle;
    const auto it = std::find_if(
        m_active.begin(), m_active.end(), [&](const ActiveConnection &c) { return c.handle == handle; });
    if (it == m_active.end())
        return dialerror::InvalidHandle;
    if (hangUpMs >= 0)
        later(hangUpMs, [this, handle] {
            m_active.removeIf([&](const ActiveConnection &c) { return c.handle == handle; });
        });
    return 0;
}

LineStats FakeDialUpBackend::stats(const QString &handle)
{
    Q_UNUSED(handle);
    return lineStats;
}

void FakeDialUpBackend::later(int ms, std::function<void()> action)
{
    m_actions.emplace_back(m_now + ms, std::move(action));
    m_timer->start();
    if (ms == 0)
        runDue();
}

void FakeDialUpBackend::tick()
{
    m_now += 10;
    runDue();
}

void FakeDialUpBackend::runDue()
{
    std::vector<std::function<void()>> due;
    for (auto it = m_actions.begin(); it != m_actions.end();) {
        if (it->first <= m_now) {
            due.push_back(std::move(it->second));
            it = m_actions.erase(it);
        } else {
            ++it;
        }
    }
    if (m_actions.empty())
        m_timer->stop();
    for (auto &action : due)
        action();
}

void FakeDialUpBackend::setState(const QString &handle, int state, int error)
{
    for (ActiveConnection &c : m_active) {
        if (c.handle == handle)
            c.state = state;
    }
    // A failed dial leaves no connection behind.
    if (error != 0)
        m_active.removeIf([&](const ActiveConnection &c) { return c.handle == handle; });
    report({ handle, state, error });
}

} // namespace vesk::test
