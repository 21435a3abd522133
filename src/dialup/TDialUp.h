#pragma once

#include "dialup/DialUpBackend.h"

#include <QObject>
#include <QThread>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace vesk {

class EventPump;
class Timer;
class TimerFactory;

// The dial-up component: lists the entries, dials one, reports the progress
// of its own dial as numbered states with texts, lists the active
// connections, hangs them up and reads their counters. Notifications may
// arrive from any thread; they reach OnAsyncEvent on the main thread, one
// at a time and in order.
class TDialUp final : public QObject
{
    Q_OBJECT

public:
    TDialUp(TimerFactory &timers, EventPump &pump, QObject *parent = nullptr);
    ~TDialUp() override;

    // Without a backend nothing can be dialled.
    void setBackend(DialUpBackend *backend);
    bool available() const;

    // Events, on the main thread.
    std::function<void(const QString &entry)> OnEntryGet;
    std::function<void()> OnDialing;
    std::function<void(int state, int error, const QString &text)> OnAsyncEvent;
    std::function<void(int error, const QString &text)> OnError;

    const QStringList &Entries() const { return m_entries; }
    void setEntry(const QString &entry) { m_entry = entry; }
    QString Entry() const { return m_entry; }

    int GetEntries();
    // Drops a previous connection of its own, then starts dialling Entry.
    int Dial();
    // The connection this component dialled (empty: none).
    QString ownHandle() const { return m_own; }
    // Asks for the connection to go and waits (pumping, at most 30 s) until
    // it is gone.
    int HangUp(const QString &handle);
    int HangUpOwn();
    // Asks without waiting.
    void requestHangUp(const QString &handle);
    // Asks for these connections to go and calls `done` once they are gone,
    // however long that takes (it may never happen).
    void hangUpInBackground(const QStringList &handles, std::function<void()> done);
    bool isActive(const QString &handle);
    QList<ActiveConnection> GetActiveConnections();
    void GetStats(const QString &handle);

    qint64 BytesXmit = 0;
    qint64 BytesRecv = 0;
    qint64 ConnectionSpeed = 0;

    // A notification from the backend: any thread.
    void post(const DialEvent &event);

private:
    void deliver();
    void pollHangUp();

    DialUpBackend *m_backend = nullptr;
    EventPump &m_pump;
    std::unique_ptr<Timer> m_notifyTimer;
    std::unique_ptr<Timer> m_hangUpPoll;
    QThread *m_mainThread;

    QStringList m_entries;
    QString m_entry;
    QString m_own;
    bool m_dialFinished = true;

    std::mutex m_lock;
    std::deque<DialEvent> m_pending;
    bool m_delivering = false;

    QStringList m_hangingUp;
    std::function<void()> m_hangUpDone;
};

} // namespace vesk
