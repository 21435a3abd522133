#include "net/SocketWatcher.h"

namespace vesk {

SocketWatcher::SocketWatcher(QObject *owner)
    : m_read(QSocketNotifier::Read, owner)
    , m_write(QSocketNotifier::Write, owner)
{
    m_read.setEnabled(false);
    m_write.setEnabled(false);
    QObject::connect(&m_read, &QSocketNotifier::activated, owner, [this] {
        if (m_readable)
            m_readable();
    });
    QObject::connect(&m_write, &QSocketNotifier::activated, owner, [this] {
        if (m_writable)
            m_writable();
    });
}

void SocketWatcher::setCallbacks(std::function<void()> readable, std::function<void()> writable)
{
    m_readable = std::move(readable);
    m_writable = std::move(writable);
}

void SocketWatcher::watch(int handle)
{
    stop();
    m_handle = handle;
    m_read.setSocket(handle);
    m_write.setSocket(handle);
}

void SocketWatcher::stop()
{
    m_read.setEnabled(false);
    m_write.setEnabled(false);
    m_handle = -1;
}

void SocketWatcher::setReadEnabled(bool enabled)
{
    if (m_handle >= 0 || !enabled)
        m_read.setEnabled(enabled);
}

void SocketWatcher::setWriteEnabled(bool enabled)
{
    if (m_handle >= 0 || !enabled)
        m_write.setEnabled(enabled);
}

} // namespace vesk
