#pragma once

#include <QByteArray>
#include <QString>

namespace vesk {

// What the provider dialogue needs of its connection. The dialogue never owns
// the socket, so tests can drive it with reply lines and read what it sent.
class ClientLink
{
public:
    virtual ~ClientLink() = default;

    // Queues bytes on the provider connection; nothing is sent inside the call.
    virtual void send(const QByteArray &bytes) = 0;
    // Bytes are still queued.
    virtual bool sendPending() const = 0;
    // Gives queued bytes a bounded chance to go out before a close.
    virtual void flush() = 0;

    // Encryption starts now, right after the reply that allowed it: from
    // here on every byte sent goes encrypted, and only once the server has
    // proved who it is; then the judge hears encryptionStarted(). Text that
    // came after that reply is no answer from the server we will talk to:
    // the session ends out of step then (false), and false it is when the
    // session has ended already.
    virtual bool startTls() = 0;
    // What is sent goes encrypted (TLS from the start or started).
    virtual bool secure() const = 0;

    virtual void restartWatchdog() = 0;
    virtual void stopWatchdog() = 0;
    // Adds to the time the whole session may take (its deadline).
    virtual void allowTime(qint64 ms) { (void)ms; }

    // Ends the provider session: watchdog stopped, no dialogue state, the
    // connection closed, the local servers reopened.
    virtual void clientOff() = 0;

    // The machine's name for HELO.
    virtual QString localHostName() const = 0;
};

} // namespace vesk
