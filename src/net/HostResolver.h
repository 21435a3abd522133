#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

#include <functional>

class QObject;

namespace vesk {

// Asynchronous name lookup. The answer always arrives later on the event loop,
// never inside start().
class HostResolver
{
public:
    struct Answer
    {
        // A table code (WSAHOST_NOT_FOUND, WSATRY_AGAIN, ...); 0 on success.
        int error = 0;
        QList<QHostAddress> addresses;
    };
    using Callback = std::function<void(const Answer &answer)>;

    virtual ~HostResolver() = default;
    // Returns the request id, or -1 (with nothing pending) if no lookup could start.
    virtual int start(const QString &name, QObject *context, Callback callback) = 0;
    // After abort the callback of that request is not called.
    virtual void abort(int id) = 0;
};

} // namespace vesk
