#include "NetTestSupport.h"

#include "net/TKError.h"
#include "net/TKTcpServer.h"
#include "platform/EventPump.h"
#include "support/FakeTimerFactory.h"

#include <QHash>
#include <QPointer>
#include <QStringList>

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vesk {
namespace {

using test::RawConnection;
using test::waitFor;

// A listening server on an ephemeral port whose events are recorded with
// their targets.
class TcpServerTest : public ::testing::Test
{
protected:
    TcpServerTest()
    {
        server.setOnConnect([this](TKTcpServer *sender, TKTcpChildSock *target) {
            EXPECT_EQ(sender, &server);
            connected << target;
            if (onConnect)
                onConnect(target);
        });
        server.setOnRcvReady([this](TKTcpServer *, TKTcpChildSock *target) {
            if (onRcvReady) {
                onRcvReady(target);
                return;
            }
            received[target] += target->receive();
        });
        server.setOnDisconnect([this](TKTcpServer *, TKTcpChildSock *target) {
            events << QStringLiteral("disconnect");
            disconnected << target;
        });
        server.setOnChildDestroy([this](TKTcpServer *sender, TKTcpChildSock *target) {
            EXPECT_EQ(sender, &server);
            events << QStringLiteral("destroy");
            destroyed << target;
        });
        server.setOnChildError([this](TKTcpServer *, TKTcpChildSock *target, const TKError &error) {
            events << QStringLiteral("childError");
            childErrors << error.message();
            errorTargets << target;
        });
        server.setOnError([this](QObject *sender, const TKError &error) {
            EXPECT_EQ(sender, &server);
            errors << error.message();
        });
    }

    ~TcpServerTest() override { server.close(); }

    void open()
    {
        server.setPort(0);
        server.setActive(true);
        ASSERT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
        ASSERT_NE(server.listeningPort(), 0);
    }

    std::unique_ptr<RawConnection> connectPeer()
    {
        auto peer = RawConnection::connectTo(server.listeningPort());
        const qsizetype before = connected.size();
        EXPECT_TRUE(waitFor([&] { return connected.size() == before + 1; }));
        return peer;
    }

    TKTcpServer server;
    QList<TKTcpChildSock *> connected;
    QList<TKTcpChildSock *> disconnected;
    QList<TKTcpChildSock *> destroyed;
    QList<TKTcpChildSock *> errorTargets;
    QHash<TKTcpChildSock *, QByteArray> received;
    QStringList events;
    QStringList errors;
    QStringList childErrors;
    std::function<void(TKTcpChildSock *)> onConnect;
    std::function<void(TKTcpChildSock *)> onRcvReady;
};

TEST_F(TcpServerTest, TwoConnectionsAtOnceReachTheHandlersWithTheirOwnTargets)
{
    open();
    auto first = connectPeer();
    auto second = connectPeer();
    ASSERT_EQ(server.childCount(), 2);
    ASSERT_NE(connected[0], connected[1]);
    EXPECT_EQ(server.child(0), connected[0]);
    second->write("from second\r\n");
    first->write("from first\r\n");
    ASSERT_TRUE(waitFor([&] { return received.size() == 2; }));
    ASSERT_TRUE(
        waitFor([&] { return received[connected[0]].size() == 12 && received[connected[1]].size() == 13; }));
    EXPECT_EQ(received[connected[0]], QByteArray("from first\r\n"));
    EXPECT_EQ(received[connected[1]], QByteArray("from second\r\n"));
    connected[1]->sendString("+OK second\r\n");
    ASSERT_TRUE(second->waitForBytes(12));
    EXPECT_EQ(second->data, QByteArray("+OK second\r\n"));
    EXPECT_TRUE(first->data.isEmpty());
}

TEST_F(TcpServerTest, GreetingQueuedByTheConnectHandlerIsSent)
{
    onConnect = [](TKTcpChildSock *child) { child->sendString("+OK Vesk ready\r\n"); };
    open();
    auto peer = connectPeer();
    ASSERT_TRUE(peer->waitForBytes(16));
    EXPECT_EQ(peer->data, QByteArray("+OK Vesk ready\r\n"));
}

TEST_F(TcpServerTest, ClosingTheServerDestroysItsChildren)
{
    open();
    auto first = connectPeer();
    auto second = connectPeer();
    const QList<TKTcpChildSock *> children = connected;
    server.close();
    EXPECT_FALSE(server.active());
    EXPECT_EQ(server.childCount(), 0);
    EXPECT_EQ(destroyed.size(), 2);
    EXPECT_TRUE(destroyed.contains(children[0]));
    EXPECT_TRUE(destroyed.contains(children[1]));
    ASSERT_TRUE(first->waitForEof());
    ASSERT_TRUE(second->waitForEof());
    EXPECT_EQ(server.handle(), TKStreamSock::InvalidSocket);
    EXPECT_FALSE(RawConnection::connectTo(server.port() ? server.port() : 1));
}

TEST_F(TcpServerTest, ChildClosingItselfInItsOwnHandlerIsDestroyedAfterwards)
{
    open();
    QPointer<TKTcpChildSock> child;
    onRcvReady = [&](TKTcpChildSock *target) {
        child = target;
        target->receive();
        target->close();
        // Even with the loop served inside the handler the child lives on.
        QtEventPump::instance().pause(20);
        EXPECT_TRUE(child);
        EXPECT_TRUE(destroyed.isEmpty());
        events << QStringLiteral("handler done");
    };
    auto peer = connectPeer();
    peer->write("QUIT\r\n");
    ASSERT_TRUE(waitFor([&] { return destroyed.size() == 1; }));
    ASSERT_TRUE(waitFor([&] { return child.isNull(); }));
    EXPECT_EQ(events, (QStringList { QStringLiteral("handler done"), QStringLiteral("destroy") }));
    EXPECT_EQ(server.childCount(), 0);
    ASSERT_TRUE(peer->waitForEof());
}

TEST_F(TcpServerTest, ServerClosedInsideAChildHandlerOutlivesTheHandler)
{
    open();
    QPointer<TKTcpChildSock> child;
    onRcvReady = [&](TKTcpChildSock *target) {
        child = target;
        server.close();
        EXPECT_TRUE(child);
        EXPECT_EQ(target->receive(), QByteArray("x"));
    };
    auto peer = connectPeer();
    peer->write("x");
    ASSERT_TRUE(waitFor([&] { return destroyed.size() == 1; }));
    ASSERT_TRUE(waitFor([&] { return child.isNull(); }));
    EXPECT_FALSE(server.active());
}

TEST_F(TcpServerTest, PeerCloseFiresDisconnectThenDestroysTheChild)
{
    open();
    auto peer = connectPeer();
    QPointer<TKTcpChildSock> child = connected[0];
    peer.reset();
    ASSERT_TRUE(waitFor([&] { return child.isNull(); }));
    EXPECT_EQ(events, (QStringList { QStringLiteral("disconnect"), QStringLiteral("destroy") }));
    EXPECT_EQ(server.childCount(), 0);
}

TEST_F(TcpServerTest, ChildErrorReachesTheServerWithItsTarget)
{
    open();
    auto peer = connectPeer();
    TKTcpChildSock *target = connected[0];
    peer->resetClose();
    ASSERT_TRUE(waitFor([&] { return server.childCount() == 0; }));
    EXPECT_EQ(
        childErrors, QStringList { QStringLiteral("WSAECONNRESET ピア側での接続がリセットされました") });
    EXPECT_EQ(errorTargets, QList<TKTcpChildSock *> { target });
    EXPECT_EQ(events,
        (QStringList {
            QStringLiteral("childError"), QStringLiteral("disconnect"), QStringLiteral("destroy") }));
}

TEST_F(TcpServerTest, HandlerSetLaterReachesExistingChildren)
{
    open();
    auto peer = connectPeer();
    connected[0]->setOnRcvReady([](QObject *) { ADD_FAILURE() << "the server's handler must take over"; });
    QByteArray late;
    server.setOnRcvReady([&](TKTcpServer *, TKTcpChildSock *target) { late += target->receive(); });
    peer->write("NOOP\r\n");
    ASSERT_TRUE(waitFor([&] { return late == "NOOP\r\n"; }));
}

// Lowers the descriptor limit so that the next new descriptor fails.
class DescriptorLimit
{
public:
    DescriptorLimit()
    {
        ::getrlimit(RLIMIT_NOFILE, &m_saved);
        const int lowestFree = ::dup(0);
        ::close(lowestFree);
        rlimit lowered = m_saved;
        lowered.rlim_cur = rlim_t(lowestFree);
        ::setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~DescriptorLimit() { restore(); }
    void restore() { ::setrlimit(RLIMIT_NOFILE, &m_saved); }

private:
    rlimit m_saved {};
};

#if defined(__SANITIZE_ADDRESS__)
#define VESK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESK_SANITIZED 1
#endif
#endif

TEST(TcpServerLimitTest, RunningOutOfDescriptorsIsReportedOnceAndRetriedLater)
{
#ifdef VESK_SANITIZED
    GTEST_SKIP() << "the sanitizer runtime needs descriptors of its own for its checks";
#endif
    test::FakeTimerFactory timers;
    NetServices services;
    services.timers = &timers;
    TKTcpServer server(nullptr, services);
    QStringList errors;
    int connects = 0;
    server.setOnError([&](QObject *, const TKError &error) { errors << error.message(); });
    server.setOnConnect([&](TKTcpServer *, TKTcpChildSock *) { ++connects; });
    server.setActive(true);
    auto peer = RawConnection::connectTo(server.listeningPort());
    ASSERT_TRUE(peer);
    {
        DescriptorLimit limit;
        ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }, 2000));
        // A listener still reporting readiness must not turn into a stream of errors.
        test::pumpFor(50);
        EXPECT_EQ(errors, QStringList { QStringLiteral("WSAEMFILE ファイルのオープン数が多すぎます") });
        EXPECT_EQ(connects, 0);
    }
    timers.advance(1000);
    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(TcpServerTest, PortInUseReportsItsTableText)
{
    test::RawListener taken;
    server.setPort(taken.port());
    server.open();
    EXPECT_EQ(errors, QStringList { QStringLiteral("WSAEADDRINUSE アドレスがすでに使用中です") });
    EXPECT_TRUE(server.active());
    server.close();
    EXPECT_FALSE(server.active());
}

TEST_F(TcpServerTest, ListensOnLoopbackOnly)
{
    open();
    sockaddr_in address {};
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(server.handle(), reinterpret_cast<sockaddr *>(&address), &length), 0);
    EXPECT_EQ(ntohl(address.sin_addr.s_addr), INADDR_LOOPBACK);
}

TEST_F(TcpServerTest, AcceptsOnIPv6LoopbackWhereTheHostHasIt)
{
    open();
    if (!server.listensOnIPv6())
        GTEST_SKIP() << "no IPv6 loopback here";
    auto peer = RawConnection::connectTo(server.listeningPort(), true);
    ASSERT_TRUE(peer);
    ASSERT_TRUE(waitFor([&] { return connected.size() == 1; }));
    peer->write("v6\r\n");
    ASSERT_TRUE(waitFor([&] { return received[connected[0]] == "v6\r\n"; }));
}

TEST_F(TcpServerTest, PrivilegedPortIsRefusedToAnOrdinaryUser)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may bind any port";
    server.setPort(80);
    server.open();
    EXPECT_EQ(errors.value(0), QStringLiteral("WSAEACCES アクセスが拒否されました"));
}

TEST_F(TcpServerTest, ReopensOnTheSamePortAfterClosing)
{
    open();
    const quint16 port = server.listeningPort();
    auto peer = connectPeer();
    server.close();
    ASSERT_TRUE(peer->waitForEof());
    server.setPort(port);
    server.open();
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(server.listeningPort(), port);
    auto again = connectPeer();
    EXPECT_EQ(server.childCount(), 1);
}

TEST_F(TcpServerTest, DestroyingTheServerFiresChildDestroyForEachChild)
{
    auto owned = std::make_unique<TKTcpServer>();
    int destroyedCount = 0;
    owned->setOnChildDestroy([&](TKTcpServer *, TKTcpChildSock *) { ++destroyedCount; });
    owned->setActive(true);
    auto first = RawConnection::connectTo(owned->listeningPort());
    auto second = RawConnection::connectTo(owned->listeningPort());
    ASSERT_TRUE(waitFor([&] { return owned->childCount() == 2; }));
    owned.reset();
    EXPECT_EQ(destroyedCount, 2);
    ASSERT_TRUE(first->waitForEof());
}

} // namespace
} // namespace vesk
