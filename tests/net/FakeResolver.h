#pragma once

#include "net/HostResolver.h"

#include <QPointer>

#include <vector>

namespace vesk::test {

// A resolver that answers only when the test says so.
class FakeResolver final : public HostResolver
{
public:
    struct Request
    {
        QString name;
        QPointer<QObject> context;
        Callback callback;
        bool aborted = false;
    };

    int start(const QString &name, QObject *context, Callback callback) override
    {
        requests.push_back(Request { name, context, std::move(callback) });
        return int(requests.size());
    }
    void abort(int id) override { requests.at(id - 1).aborted = true; }
    // Answers request `index` as the event loop would: an address, or else the error code.
    void answer(size_t index, const QString &address, int error = 0)
    {
        Answer reply;
        if (!address.isEmpty())
            reply.addresses << QHostAddress(address);
        reply.error = error;
        answer(index, reply);
    }
    void answer(size_t index, const Answer &reply)
    {
        const Request &request = requests.at(index);
        if (!request.aborted && request.context)
            request.callback(reply);
    }

    std::vector<Request> requests;
};

} // namespace vesk::test
