#include "NetTestSupport.h"

#include "net/TKError.h"
#include "net/TKTcpServer.h"
#include "support/FakeTimerFactory.h"

#include <QHash>
#include <QPointer>
#include <QStringList>

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <unistd.h>

namespace vesk {
namespace {

using test::RawConnection;
using test::waitFor;

// A listening server on an ephemeral port whose events are recorded; each
// connection is greeted by the connect handler.
class TcpServerTest : public ::testing::Test
{
protected:
    TcpServerTest()
    {
        server.setOnConnect([this](TKTcpServer *, TKTcpChildSock *target) {
            connected << target;
            target->sendString("+OK ready\r\n");
        });
        server.setOnRcvReady([this](TKTcpServer *, TKTcpChildSock *target) {
            onRcvReady ? onRcvReady(target) : void(received[target] += target->receive());
        });
        server.setOnDisconnect([this](TKTcpServer *, TKTcpChildSock *) { events << "disconnect"; });
        server.setOnChildDestroy([this](TKTcpServer *, TKTcpChildSock *) { events << "destroy"; });
        server.setOnChildError([this](TKTcpServer *, TKTcpChildSock *target, const TKError &error) {
            events << "childError " + error.message();
            EXPECT_EQ(target, connected.last());
        });
        server.setOnError([this](QObject *, const TKError &error) { errors << error.message(); });
        server.setActive(true);
    }
    std::unique_ptr<RawConnection> connectPeer(bool ipv6 = false)
    {
        auto peer = RawConnection::connectTo(server.listeningPort(), ipv6);
        const qsizetype before = connected.size();
        EXPECT_TRUE(waitFor([&] { return connected.size() == before + 1; }));
        return peer;
    }

    QList<TKTcpChildSock *> connected;
    QHash<TKTcpChildSock *, QByteArray> received;
    QStringList events, errors;
    std::function<void(TKTcpChildSock *)> onRcvReady;
    // Last: closing it at the end still calls the handlers above.
    TKTcpServer server;
};

TEST_F(TcpServerTest, TwoConnectionsAtOnceReachTheHandlersWithTheirOwnTargets)
{
    auto first = connectPeer();
    auto second = connectPeer();
    EXPECT_EQ(server.child(1), connected[1]);
    second->write("from second\r\n");
    first->write("from first\r\n");
    ASSERT_TRUE(waitFor([&] { return received[connected[0]].size() + received[connected[1]].size() == 25; }));
    EXPECT_EQ(received[connected[0]], "from first\r\n");
    connected[1]->sendString("+OK second\r\n");
    ASSERT_TRUE(second->waitForBytes(23));
    EXPECT_EQ(second->data, "+OK ready\r\n+OK second\r\n");
    EXPECT_EQ(first->data, "+OK ready\r\n");
}

TEST_F(TcpServerTest, ClosingOrDestroyingTheServerDestroysItsChildrenAndEndsTheirConnections)
{
    auto first = connectPeer();
    auto second = connectPeer();
    server.close();
    EXPECT_EQ(server.childCount(), 0);
    EXPECT_EQ(events, (QStringList { "destroy", "destroy" }));
    EXPECT_TRUE(first->waitForEof() && second->waitForEof());
    EXPECT_EQ(server.handle(), TKStreamSock::InvalidSocket);
    auto owned = std::make_unique<TKTcpServer>();
    owned->setOnChildDestroy([&](TKTcpServer *, TKTcpChildSock *) { events << "owned destroy"; });
    owned->setActive(true);
    auto third = RawConnection::connectTo(owned->listeningPort());
    ASSERT_TRUE(waitFor([&] { return owned->childCount() == 1; }));
    owned.reset();
    EXPECT_EQ(events.last(), "owned destroy");
    EXPECT_TRUE(third->waitForEof());
}

// Even with the loop served inside the handler, what it closes lives on until it returns.
TEST_F(TcpServerTest, AChildOrTheServerClosedInsideAChildHandlerOutlivesTheHandler)
{
    for (const bool closeServer : { false, true }) {
        QPointer<TKTcpChildSock> child;
        onRcvReady = [&](TKTcpChildSock *target) {
            child = target;
            closeServer ? server.close() : target->close();
            test::pumpFor(20);
            ASSERT_TRUE(child);
            EXPECT_EQ(target->receive(), "QUIT\r\n");
            events << "handler done";
        };
        auto peer = connectPeer();
        events.clear();
        peer->write("QUIT\r\n");
        ASSERT_TRUE(waitFor([&] { return child.isNull() && !events.isEmpty(); }));
        // Closing the server reports its children gone at once.
        EXPECT_EQ(events.join(' '), closeServer ? "destroy handler done" : "handler done destroy");
        EXPECT_TRUE(peer->waitForEof());
    }
}

TEST_F(TcpServerTest, PeerCloseOrResetReachesTheServerThenDestroysTheChild)
{
    connectPeer().reset();
    ASSERT_TRUE(waitFor([&] { return server.childCount() == 0; }));
    connectPeer()->resetClose();
    ASSERT_TRUE(waitFor([&] { return server.childCount() == 0; }));
    EXPECT_EQ(events,
        (QStringList { "disconnect", "destroy", "childError WSAECONNRESET ピア側での接続がリセットされました",
            "disconnect", "destroy" }));
}

TEST_F(TcpServerTest, ListensOnLoopbackOnlyAndOnIPv6LoopbackWhereTheHostHasIt)
{
    sockaddr_in address {};
    socklen_t length = sizeof address;
    ASSERT_EQ(::getsockname(server.handle(), reinterpret_cast<sockaddr *>(&address), &length), 0);
    EXPECT_EQ(ntohl(address.sin_addr.s_addr), INADDR_LOOPBACK);
    if (!server.listensOnIPv6())
        GTEST_SKIP() << "no IPv6 loopback here";
    connectPeer(true)->write("v6\r\n");
    EXPECT_TRUE(waitFor([&] { return received[connected[0]] == "v6\r\n"; }));
}

TEST_F(TcpServerTest, PortInUseReportsItsTableTextAndTheSamePortOpensAgainAfterClosing)
{
    const quint16 port = server.listeningPort();
    auto peer = connectPeer();
    TKTcpServer other;
    other.setOnError([this](QObject *, const TKError &error) { errors << error.message(); });
    other.setPort(port);
    other.open();
    EXPECT_EQ(errors, QStringList { "WSAEADDRINUSE アドレスがすでに使用中です" });
    server.close();
    ASSERT_TRUE(peer->waitForEof());
    server.setPort(port);
    server.open();
    EXPECT_EQ(server.listeningPort(), port);
    EXPECT_EQ(errors.size(), 1);
}

TEST(TcpServerLimitTest, RunningOutOfDescriptorsIsReportedOnceAndRetriedLater)
{
#if defined(__SANITIZE_ADDRESS__)
#define VESK_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESK_TEST_ASAN 1
#endif
#endif
#ifdef VESK_TEST_ASAN
    GTEST_SKIP() << "the sanitizer runtime needs descriptors of its own for its checks";
#endif
    test::FakeTimerFactory timers;
    TKTcpServer server(nullptr, NetServices { .timers = &timers });
    QStringList errors;
    int connects = 0;
    server.setOnError([&](QObject *, const TKError &error) { errors << error.message(); });
    server.setOnConnect([&](TKTcpServer *, TKTcpChildSock *) { ++connects; });
    server.setActive(true);
    auto peer = RawConnection::connectTo(server.listeningPort());
    // The descriptor limit lowered so that the next new descriptor fails.
    rlimit saved {};
    ::getrlimit(RLIMIT_NOFILE, &saved);
    const int lowestFree = ::dup(0);
    ::close(lowestFree);
    rlimit lowered = saved;
    lowered.rlim_cur = rlim_t(lowestFree);
    ::setrlimit(RLIMIT_NOFILE, &lowered);
    const bool reported = waitFor([&] { return !errors.isEmpty(); }, 2000);
    // A listener still reporting readiness must not turn into a stream of errors.
    test::pumpFor(50);
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_TRUE(reported);
    EXPECT_EQ(errors, QStringList { "WSAEMFILE ファイルのオープン数が多すぎます" });
    EXPECT_EQ(connects, 0);
    timers.advance(1000);
    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
    EXPECT_EQ(errors.size(), 1);
}

} // namespace
} // namespace vesk
