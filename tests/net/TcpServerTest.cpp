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

// A listening server on an ephemeral port whose events are recorded.
class TcpServerTest : public ::testing::Test
{
protected:
    TcpServerTest()
    {
        server.setOnConnect([this](TKTcpServer *, TKTcpChildSock *target) {
            connected << target;
            target->sendString("+OK ready\r\n"); // a greeting queued by the handler
        });
        server.setOnRcvReady([this](TKTcpServer *, TKTcpChildSock *target) {
            onRcvReady ? onRcvReady(target) : void(received[target] += target->receive());
        });
        server.setOnDisconnect([this](TKTcpServer *, TKTcpChildSock *) { events << "disconnect"; });
        server.setOnChildDestroy([this](TKTcpServer *, TKTcpChildSock *target) {
            events << "destroy";
            destroyed << target;
        });
        server.setOnChildError([this](TKTcpServer *, TKTcpChildSock *target, const TKError &error) {
            events << "childError " + error.message();
            EXPECT_EQ(target, connected.value(0));
        });
        server.setOnError([this](QObject *sender, const TKError &error) {
            EXPECT_EQ(sender, &server);
            errors << error.message();
        });
        server.setActive(true);
    }

    std::unique_ptr<RawConnection> connectPeer(bool ipv6 = false)
    {
        auto peer = RawConnection::connectTo(server.listeningPort(), ipv6);
        const qsizetype before = connected.size();
        EXPECT_TRUE(waitFor([&] { return connected.size() == before + 1; }));
        return peer;
    }

    TKTcpServer server;
    QList<TKTcpChildSock *> connected, destroyed;
    QHash<TKTcpChildSock *, QByteArray> received;
    QStringList events, errors;
    std::function<void(TKTcpChildSock *)> onRcvReady;
};

TEST_F(TcpServerTest, TwoConnectionsAtOnceReachTheHandlersWithTheirOwnTargets)
{
    auto first = connectPeer();
    auto second = connectPeer();
    ASSERT_EQ(server.childCount(), 2);
    EXPECT_EQ(server.child(0), connected[0]);
    second->write("from second\r\n");
    first->write("from first\r\n");
    ASSERT_TRUE(
        waitFor([&] { return received[connected[0]].size() == 12 && received[connected[1]].size() == 13; }));
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
    EXPECT_FALSE(server.active());
    EXPECT_EQ(server.childCount(), 0);
    EXPECT_EQ(destroyed.size(), 2);
    ASSERT_TRUE(first->waitForEof());
    ASSERT_TRUE(second->waitForEof());
    EXPECT_EQ(server.handle(), TKStreamSock::InvalidSocket);

    auto owned = std::make_unique<TKTcpServer>();
    int destroyedCount = 0;
    owned->setOnChildDestroy([&](TKTcpServer *, TKTcpChildSock *) { ++destroyedCount; });
    owned->setActive(true);
    auto third = RawConnection::connectTo(owned->listeningPort());
    ASSERT_TRUE(waitFor([&] { return owned->childCount() == 1; }));
    owned.reset();
    EXPECT_EQ(destroyedCount, 1);
    ASSERT_TRUE(third->waitForEof());
}

TEST_F(TcpServerTest, ChildClosedInsideItsOwnHandlerLivesUntilTheHandlerHasReturned)
{
    QPointer<TKTcpChildSock> child;
    onRcvReady = [&](TKTcpChildSock *target) {
        child = target;
        target->receive();
        target->close();
        // Even with the loop served inside the handler the child lives on.
        test::pumpFor(20);
        EXPECT_TRUE(child);
        events << "handler done";
    };
    auto peer = connectPeer();
    peer->write("QUIT\r\n");
    ASSERT_TRUE(waitFor([&] { return destroyed.size() == 1 && child.isNull(); }));
    EXPECT_EQ(events, (QStringList { "handler done", "destroy" }));
    ASSERT_TRUE(peer->waitForEof());
}

TEST_F(TcpServerTest, ServerClosedInsideAChildHandlerOutlivesTheHandler)
{
    QPointer<TKTcpChildSock> child;
    onRcvReady = [&](TKTcpChildSock *target) {
        child = target;
        server.close();
        EXPECT_TRUE(child);
        EXPECT_EQ(target->receive(), "x");
    };
    auto peer = connectPeer();
    peer->write("x");
    ASSERT_TRUE(waitFor([&] { return destroyed.size() == 1 && child.isNull(); }));
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
    auto peer = connectPeer(true);
    peer->write("v6\r\n");
    ASSERT_TRUE(waitFor([&] { return received[connected[0]] == "v6\r\n"; }));
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
    ~DescriptorLimit() { ::setrlimit(RLIMIT_NOFILE, &m_saved); }

private:
    rlimit m_saved {};
};

TEST(TcpServerLimitTest, RunningOutOfDescriptorsIsReportedOnceAndRetriedLater)
{
#if defined(__SANITIZE_ADDRESS__)
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
    {
        DescriptorLimit limit;
        ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }, 2000));
        // A listener still reporting readiness must not turn into a stream of errors.
        test::pumpFor(50);
        EXPECT_EQ(errors, QStringList { "WSAEMFILE ファイルのオープン数が多すぎます" });
        EXPECT_EQ(connects, 0);
    }
    timers.advance(1000);
    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
    EXPECT_EQ(errors.size(), 1);
}

} // namespace
} // namespace vesk
