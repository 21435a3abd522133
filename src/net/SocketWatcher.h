#pragma once

#include <QSocketNotifier>

#include <functional>

namespace vesk {

// Read and write readiness of one descriptor on the event loop. Notifiers are
// level-triggered: the write side must be enabled only while something waits
// for it, or it fires without end. The notifiers live as long as the watcher
// and are only re-pointed, so a handler may stop or re-point the watcher that
// is calling it.
class SocketWatcher
{
public:
    explicit SocketWatcher(QObject *owner);

    void setCallbacks(std::function<void()> readable, std::function<void()> writable);

    // Watches `handle`, both sides disabled.
    void watch(int handle);
    // Disables both sides and forgets the descriptor (before it is closed).
    void stop();
    void setReadEnabled(bool enabled);
    void setWriteEnabled(bool enabled);
    bool readEnabled() const { return m_read.isEnabled(); }
    bool writeEnabled() const { return m_write.isEnabled(); }

private:
    QSocketNotifier m_read;
    QSocketNotifier m_write;
    int m_handle = -1;
    std::function<void()> m_readable;
    std::function<void()> m_writable;
};

} // namespace vesk
