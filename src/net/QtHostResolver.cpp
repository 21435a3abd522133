#include "net/QtHostResolver.h"

#include "net/SocketErrors.h"
#include "net/WinSockCodes.h"

#include <QHostInfo>

#include <netdb.h>

namespace vesk {

int QtHostResolver::start(const QString &name, QObject *context, Callback callback)
{
    return QHostInfo::lookupHost(name, context, [callback = std::move(callback)](const QHostInfo &info) {
        Answer answer;
        answer.error = errorCode(info);
        if (answer.error == 0)
            answer.addresses = info.addresses();
        callback(answer);
    });
}

void QtHostResolver::abort(int id)
{
    QHostInfo::abortHostLookup(id);
}

QtHostResolver &QtHostResolver::instance()
{
    static QtHostResolver resolver;
    return resolver;
}

int QtHostResolver::errorCode(const QHostInfo &info)
{
    switch (info.error()) {
    case QHostInfo::NoError:
        return info.addresses().isEmpty() ? wsa::WSANO_DATA : 0;
    case QHostInfo::HostNotFound:
        return wsa::WSAHOST_NOT_FOUND;
    default:
        break;
    }
    // QHostInfo keeps only the resolver's text for its other failures; the
    // temporary one is worth telling apart (a dial-up line still coming up).
    const QString text = info.errorString();
    for (int eai : { EAI_AGAIN, EAI_FAIL, EAI_MEMORY }) {
        if (text == QString::fromLocal8Bit(::gai_strerror(eai)))
            return winSockCodeFromAddrInfo(eai);
    }
    return wsa::WSANO_RECOVERY;
}

} // namespace vesk
