#pragma once

#include "dialup/DialUpBackend.h"

#include <QtGlobal>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace vesk {
class Timer;
class TimerFactory;
} // namespace vesk

namespace vesk::test {

// A connection service in fake time: entries, lines that answer, are busy
// or are cancelled by the user, hang-ups that are slow or never end, speeds.
class FakeDialUpBackend final : public DialUpBackend
{
public:
    enum class Line {
        Answers, // opening, connecting, authenticating, connected
        Busy, // fails with 676
        UserCancels, // fails with 631
        Silent, // stays where it is; the test reports for it
    };
    static constexpr int StepMs = 50;

    explicit FakeDialUpBackend(TimerFactory &timers);
    ~FakeDialUpBackend() override;

    // A connection that is up already; returns its handle.
    QString addConnection(const QString &entry, bool pointToPoint = true);
    // Reports for the dial under way, as the service would (any thread).
    void report(const DialEvent &event);
    QString lastHandle() const { return m_lastHandle; }

    bool reachable = true;
    QStringList entryNames { QStringLiteral("MyISP"), QStringLiteral("Office") };
    // What each dial meets, in turn; `line` once these are used up.
    std::deque<Line> lines;
    Line line = Line::Answers;
    // Milliseconds a hang-up takes; -1: it never ends.
    int hangUpMs = 0;
    LineStats lineStats { 1200, 34000, 28800 };

    int dials = 0;
    QStringList hangUps;

    // DialUpBackend
    void setNotify(Notify notify) override { m_notify = std::move(notify); }
    bool available() override { return reachable; }
    int listEntries(QStringList *names) override;
    int dial(const QString &entry, QString *handle) override;
    QList<ActiveConnection> activeConnections() override { return m_active; }
    int hangUp(const QString &handle) override;
    LineStats stats(const QString &handle) override;

private:
    void later(int ms, std::function<void()> action);
    void tick();
    void runDue();
    void setState(const QString &handle, int state, int error);

    Notify m_notify;
    std::unique_ptr<Timer> m_timer;
    qint64 m_now = 0;
    std::vector<std::pair<qint64, std::function<void()>>> m_actions;
    QList<ActiveConnection> m_active;
    int m_next = 0;
    QString m_lastHandle;
};

} // namespace vesk::test
