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
        int id = 0;
        QString name;
        QPointer<QObject> context;
        Callback callback;
        bool aborted = false;
    };

    int start(const QString &name, QObject *context, Callback callback) override
    {
        requests.push_back(Request { m_next, name, context, std::move(callback) });
        return m_next++;
    }
    void abort(int id) override
    {
        for (Request &request : requests) {
            if (request.id == id)
                request.aborted = true;
        }
    }
    // Answers request `index` as the event loop would.
    void answer(size_t index, const Answer &answer)
    {
        Request &request = requests.at(index);
        if (!request.aborted && request.context)
            request.callback(answer);
    }
    void answerAddress(size_t index, const QString &address)
    {
        Answer reply;
        reply.addresses << QHostAddress(address);
        answer(index, reply);
    }

    std::vector<Request> requests;

private:
    int m_next = 1;
};

} // namespace vesk::test
