#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace vesk {

// One active network connection as the platform reports it.
struct ActiveConnection
{
    QString handle; // the platform's name for it; empty is none
    int state = 0; // a dialstate value
    int error = 0; // a dialerror value, 0 none
    QString entryName;
    QString deviceType;
    QString deviceName;
    // A point-to-point link (modem, mobile broadband, PPPoE): a dial-up
    // line even when it is not the configured entry.
    bool pointToPoint = false;
    QString statusText; // filled by TDialUp
};

// Progress of a dial this program started.
struct DialEvent
{
    QString handle;
    int state = 0;
    int error = 0;
};

// Byte counters and speed of a connection; 0 where the device does not say.
struct LineStats
{
    qint64 bytesXmit = 0;
    qint64 bytesRecv = 0;
    qint64 speed = 0; // bits per second
};

// The platform's connection service as the dial-up component drives it.
// Calls come from the main thread; the notification may be called from any
// thread.
class DialUpBackend
{
public:
    using Notify = std::function<void(const DialEvent &)>;

    virtual ~DialUpBackend() = default;

    // Where the progress of dials goes.
    virtual void setNotify(Notify notify) = 0;
    // The service can be reached at all.
    virtual bool available() = 0;
    // The connection entries, in the platform's order; returns an error number.
    virtual int listEntries(QStringList *names) = 0;
    // Starts dialling `entry`; its progress comes as notifications for the
    // handle given back. Returns an error number when it could not start.
    virtual int dial(const QString &entry, QString *handle) = 0;
    virtual QList<ActiveConnection> activeConnections() = 0;
    // Asks for the connection to go down; it goes later (or never).
    virtual int hangUp(const QString &handle) = 0;
    virtual LineStats stats(const QString &handle) = 0;
};

} // namespace vesk
