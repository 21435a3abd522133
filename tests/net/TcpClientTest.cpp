#include "FakeResolver.h"
#include "NetTestSupport.h"

#include "net/TKError.h"
#include "net/TKTcpClient.h"
#include "net/WinSockCodes.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::RawListener;
using test::waitFor;

// A client whose name lookups the test answers, and a listener to reach.
class TcpClientTest : public ::testing::Test
{
protected:
    TcpClientTest() { observe(client); }
    void observe(TKTcpClient &socket)
    {
        socket.setOnConnect([this](QObject *) { ++connects; });
        socket.setOnError([this](QObject *, const TKError &error) { errors << error.message(); });
    }
    void activate(TKTcpClient &socket, const QString &name)
    {
        socket.setServerName(name);
        socket.setPort(listener.port());
        socket.setActive(true);
    }
    bool connectedOnce()
    {
        auto peer = listener.accept();
        const bool ok = peer && waitFor([&] { return connects == 1; });
        test::pumpFor(30);
        return ok && connects == 1 && !listener.connectionWaiting();
    }

    test::FakeResolver resolver;
    TKTcpClient client { nullptr, NetServices { .resolver = &resolver } };
    RawListener listener;
    int connects = 0;
    QStringList errors;
};

TEST_F(TcpClientTest, ALookupRunsOnceAndALaterOneCancelsTheEarlier)
{
    client.setServerName(QStringLiteral("pop.example.jp"));
    client.setServerName(QStringLiteral("pop.example.jp"));
    ASSERT_EQ(resolver.requests.size(), 1u);
    client.setServerName(QStringLiteral("smtp.example.jp"));
    ASSERT_EQ(resolver.requests.size(), 2u);
    EXPECT_TRUE(resolver.requests[0].aborted);
    resolver.answer(1, QStringLiteral("192.0.2.1"));
    EXPECT_EQ(client.serverAddress(), QHostAddress(QStringLiteral("192.0.2.1")));
    client.setServerName(QStringLiteral("smtp.example.jp"));
    EXPECT_EQ(resolver.requests.size(), 2u);
}

TEST_F(TcpClientTest, ActiveDuringALookupConnectsOnceWhenTheAddressArrives)
{
    activate(client, QStringLiteral("pop.example.jp"));
    EXPECT_TRUE(client.active());
    EXPECT_EQ(client.handle(), TKStreamSock::InvalidSocket);
    test::pumpFor(30);
    EXPECT_FALSE(listener.connectionWaiting());
    resolver.answer(0, QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(connectedOnce());
}

TEST_F(TcpClientTest, SwitchedOffDuringTheLookupItConnectsOnlyWhenSwitchedOnAgain)
{
    activate(client, QStringLiteral("pop.example.jp"));
    client.setActive(false);
    resolver.answer(0, QStringLiteral("127.0.0.1"));
    test::pumpFor(30);
    EXPECT_FALSE(listener.connectionWaiting());
    client.setActive(true);
    EXPECT_TRUE(connectedOnce());
}

TEST_F(TcpClientTest, TheSystemResolverFindsLocalhostAndReportsAnUnknownHost)
{
    TKTcpClient real;
    observe(real);
    activate(real, QStringLiteral("localhost"));
    EXPECT_TRUE(connectedOnce());
    EXPECT_EQ(real.serverAddress(), QHostAddress(QStringLiteral("127.0.0.1")));
    TKTcpClient unknown;
    observe(unknown);
    activate(unknown, QStringLiteral("no-such-host.invalid"));
    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }, 20000));
    EXPECT_EQ(errors, QStringList { "WSAHOST_NOT_FOUND ホストが見つかりません" });
    EXPECT_FALSE(unknown.active());
    EXPECT_EQ(unknown.handle(), TKStreamSock::InvalidSocket);
}

TEST_F(TcpClientTest, ANewPortReconnectsAnActiveClientOnly)
{
    client.setServerName(QStringLiteral("127.0.0.1"));
    client.setPort(listener.port());
    test::pumpFor(30);
    EXPECT_FALSE(listener.connectionWaiting());
    client.setActive(true);
    auto first = listener.accept();
    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
    RawListener second;
    client.setPort(second.port());
    ASSERT_TRUE(first->waitForEof());
    ASSERT_TRUE(second.accept());
    ASSERT_TRUE(waitFor([&] { return connects == 2; }));
}

TEST_F(TcpClientTest, ARefusedConnectionReportsItsTableTextAndStaysActive)
{
    quint16 port = 0;
    {
        RawListener closed;
        port = closed.port();
    }
    client.setServerName(QStringLiteral("127.0.0.1"));
    client.setPort(port);
    client.setActive(true);
    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }));
    EXPECT_EQ(errors, QStringList { "WSAECONNREFUSED 接続が拒否されました" });
    EXPECT_TRUE(client.active());
    EXPECT_FALSE(client.connected());
}

TEST_F(TcpClientTest, AFailedLookupEndsActiveAndIsTriedAgainOnTheNextActivation)
{
    activate(client, QStringLiteral("smtp.example.jp"));
    resolver.answer(0, QString(), wsa::WSATRY_AGAIN);
    EXPECT_EQ(errors, QStringList { "WSATRY_AGAIN もう1度試せば回復するかもしれません" });
    EXPECT_FALSE(client.active());
    client.activate();
    ASSERT_EQ(resolver.requests.size(), 2u);
    resolver.answer(1, QStringLiteral("127.0.0.1"));
    EXPECT_TRUE(connectedOnce());
}

TEST_F(TcpClientTest, ANewNameForgetsTheOldAddress)
{
    client.setServerName(QStringLiteral("127.0.0.1"));
    activate(client, QStringLiteral("smtp.example.jp"));
    EXPECT_EQ(client.serverAddress(), TKIpFinder::noAddress());
    resolver.answer(0, QString(), wsa::WSAHOST_NOT_FOUND);
    EXPECT_FALSE(client.active());
    test::pumpFor(30);
    EXPECT_FALSE(listener.connectionWaiting());
}

TEST_F(TcpClientTest, ADottedAddressConnectsAtOnceAndDataQueuedBeforeOrInsideTheConnectHandlerGoesOut)
{
    client.sendString("EHLO\r\n");
    client.setOnConnect([this](QObject *) { client.sendString("HELO me\r\n"); });
    activate(client, QStringLiteral("127.0.0.1"));
    EXPECT_NE(client.handle(), TKStreamSock::InvalidSocket);
    EXPECT_TRUE(resolver.requests.empty());
    auto peer = listener.accept();
    ASSERT_TRUE(peer && peer->waitForBytes(15));
    EXPECT_EQ(peer->data, "EHLO\r\nHELO me\r\n");
}

} // namespace
} // namespace vesk
