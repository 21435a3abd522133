#pragma once

#include <functional>

class QObject;
class QHostAddress;

namespace vesk {

class TKError;
class TKTcpServer;
class TKTcpChildSock;

// Event handler types of the socket classes. Sender is the object that fires.
using TKNotifyEvent = std::function<void(QObject *sender)>;
using TKErrorEvent = std::function<void(QObject *sender, const TKError &e)>;
using TKIpFindEvent = std::function<void(QObject *sender, const QHostAddress &ip)>;
using TKServerNotifyEvent = std::function<void(TKTcpServer *sender, TKTcpChildSock *target)>;
using TKChildErrorEvent = std::function<void(TKTcpServer *sender, TKTcpChildSock *target, const TKError &e)>;

} // namespace vesk
