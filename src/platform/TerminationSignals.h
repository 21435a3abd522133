#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace vesk {

// Turns SIGTERM, SIGINT and SIGHUP into a call on the event loop, so that the
// program ends through its normal close handling (settings written, servers
// stopped) instead of dying in the middle of a write.
class TerminationSignals final : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void(int signal)> handler, QObject *parent = nullptr);
    ~TerminationSignals() override;

private:
    std::function<void(int)> m_handler;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace vesk
