#include "dialup/TDialUp.h"

#include "dialup/DialErrors.h"
#include "dialup/DialStates.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"

namespace vesk {
namespace {

// Bounds of the waits for a connection to go.
constexpr int HangUpRounds = 3001;
constexpr int HangUpPauseMs = 10;
constexpr int HangUpPollMs = 50;

} // namespace

TDialUp::TDialUp(TimerFactory &timers, EventPump &pump, QObject *parent)
    : QObject(parent)
    , m_pump(pump)
    , m_notifyTimer(timers.create())
    , m_hangUpPoll(timers.create())
    , m_mainThread(QThread::currentThread())
{
    m_notifyTimer->setInterval(1);
    m_notifyTimer->setCallback([this] { deliver(); });
    m_hangUpPoll->setInterval(HangUpPollMs);
    m_hangUpPoll->setCallback([this] { pollHangUp(); });
}

TDialUp::~TDialUp()
{
    if (m_backend)
        m_backend->setNotify({});
}

void TDialUp::setBackend(DialUpBackend *backend)
{
    if (m_backend)
        m_backend->setNotify({});
    m_backend = backend;
    if (m_backend)
        m_backend->setNotify([this](const DialEvent &event) { post(event); });
}

bool TDialUp::available() const
{
    return m_backend && m_backend->available();
}

int TDialUp::GetEntries()
{
    m_entries.clear();
    if (!m_backend)
        return dialerror::ServiceUnreachable;
    QStringList names;
    const int error = m_backend->listEntries(&names);
    for (const QString &name : std::as_const(names)) {
        m_entries << name.left(256);
        if (OnEntryGet)
            OnEntryGet(m_entries.last());
    }
    return error;
}

int TDialUp::Dial()
{
    HangUpOwn();
    m_own.clear();
    m_dialFinished = false;
    if (OnDialing)
        OnDialing();
    QString handle;
    const int error = m_backend ? m_backend->dial(m_entry, &handle) : int(dialerror::ServiceUnreachable);
    if (error != 0) {
        m_dialFinished = true;
        if (OnError)
            OnError(error, dialerror::text(error));
        return error;
    }
    m_own = handle;
    return 0;
}

bool TDialUp::isActive(const QString &handle)
{
    if (!m_backend || handle.isEmpty())
        return false;
    const QList<ActiveConnection> active = m_backend->activeConnections();
    return std::any_of(
        active.begin(), active.end(), [&](const ActiveConnection &c) { return c.handle == handle; });
}

void TDialUp::requestHangUp(const QString &handle)
{
    if (m_backend && !handle.isEmpty())
        m_backend->hangUp(handle);
}

int TDialUp::HangUp(const QString &handle)
{
    if (!m_backend || handle.isEmpty())
        return dialerror::InvalidHandle;
    const int error = m_backend->hangUp(handle);
    // A line that will not go must not keep the program waiting for ever.
    m_pump.waitUntil([&] { return !isActive(handle); }, HangUpRounds, HangUpPauseMs);
    return error;
}

int TDialUp::HangUpOwn()
{
    if (m_own.isEmpty())
        return 0;
    const int error = HangUp(m_own);
    if (!isActive(m_own))
        m_own.clear();
    return error;
}

void TDialUp::hangUpInBackground(const QStringList &handles, std::function<void()> done)
{
    m_hangingUp.clear();
    for (const QString &handle : handles) {
        if (!handle.isEmpty() && !m_hangingUp.contains(handle)) {
            requestHangUp(handle);
            m_hangingUp << handle;
        }
    }
    m_hangUpDone = std::move(done);
    m_hangUpPoll->start();
    pollHangUp();
}

void TDialUp::pollHangUp()
{
    for (const QString &handle : std::as_const(m_hangingUp)) {
        if (isActive(handle))
            return;
    }
    m_hangUpPoll->stop();
    if (m_hangingUp.contains(m_own))
        m_own.clear();
    m_hangingUp.clear();
    if (auto done = std::exchange(m_hangUpDone, {}))
        done();
}

QList<ActiveConnection> TDialUp::GetActiveConnections()
{
    QList<ActiveConnection> active = m_backend ? m_backend->activeConnections() : QList<ActiveConnection>();
    for (ActiveConnection &c : active)
        c.statusText = dialstate::statusText(c.state, c.error);
    return active;
}

void TDialUp::GetStats(const QString &handle)
{
    const LineStats stats = m_backend ? m_backend->stats(handle) : LineStats();
    BytesXmit = stats.bytesXmit;
    BytesRecv = stats.bytesRecv;
    ConnectionSpeed = stats.speed;
}

void TDialUp::post(const DialEvent &event)
{
    {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_pending.push_back(event);
    }
    // Timers belong to the main thread.
    if (QThread::currentThread() == m_mainThread)
        m_notifyTimer->start();
    else
        QMetaObject::invokeMethod(
            this, [this] { m_notifyTimer->start(); }, Qt::QueuedConnection);
}

void TDialUp::deliver()
{
    m_notifyTimer->stop();
    // A handler that waits pumps events: the next notification waits for it.
    if (m_delivering)
        return;
    m_delivering = true;
    for (;;) {
        DialEvent event;
        {
            const std::lock_guard<std::mutex> lock(m_lock);
            if (m_pending.empty())
                break;
            event = m_pending.front();
            m_pending.pop_front();
        }
        // Only the dial under way reports, until it is up or has failed.
        if (event.handle != m_own || m_own.isEmpty() || m_dialFinished)
            continue;
        if (event.error != 0 || event.state == dialstate::Connected)
            m_dialFinished = true;
        if (OnAsyncEvent)
            OnAsyncEvent(event.state, event.error, dialstate::statusText(event.state, event.error));
    }
    m_delivering = false;
}

} // namespace vesk
