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

class TcpClientTest : public ::testing::Test
{
protected:
    TcpClientTest()
    {
        NetServices services;
        services.resolver = &resolver;
        client = std::make_unique<TKTcpClient>(nullptr, services);
        observe(*client);
    }

    void observe(TKTcpClient &socket)
    {
        socket.setOnConnect([this](QObject *) { ++connects; });
        socket.setOnError([this, &socket](QObject *sender, const TKError &error) {
            EXPECT_EQ(sender, &socket);
            errors << error.message();
        });
    }

    test::FakeResolver resolver;
    std::unique_ptr<TKTcpClient> client;
    RawListener listener;
    int connects = 0;
    QStringList errors;
};

TEST_F(TcpClientTest, DottedAddressIsFoundInsideTheSetterAndConnectsAtOnce)
{
    client->setServerName(QStringLiteral("127.0.0.1"));
    EXPECT_EQ(client->serverAddress(), QHostAddress(QStringLiteral("127.0.0.1")));
    EXPECT_FALSE(client->finder()->busy());
    EXPECT_TRUE(resolver.requests.empty());
    client->setPort(listener.port());
    client->setActive(true);
    EXPECT_NE(client->handle(), TKStreamSock::InvalidSocket);
    auto peer1 = listener.accept();
    ASSERT_TRUE(peer1);
    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
    EXPECT_TRUE(client->connected());
}

TEST(IpFinderTest, DottedAddressAnswersInsideFind)
{
    test::FakeResolver resolver;
    TKIpFinder finder(nullptr, &resolver);
    QHostAddress found;
    finder.setOnFind([&](QObject *sender, const QHostAddress &ip) {
        EXPECT_EQ(sender, &finder);
        found = ip;
    });
    EXPECT_EQ(finder.address(), TKIpFinder::noAddress());
    finder.find(QStringLiteral("192.0.2.7"));
    EXPECT_EQ(found, QHostAddress(QStringLiteral("192.0.2.7")));
    EXPECT_FALSE(finder.busy());
    EXPECT_TRUE(resolver.requests.empty());
}

TEST(IpFinderTest, CancelledLookupNeverAnswers)
{
    test::FakeResolver resolver;
    TKIpFinder finder(nullptr, &resolver);
    int answers = 0;
    finder.setOnFind([&](QObject *, const QHostAddress &) { ++answers; });
    finder.find(QStringLiteral("a.example.jp"));
    EXPECT_TRUE(finder.busy());
    finder.find(QStringLiteral("b.example.jp"));
    ASSERT_EQ(resolver.requests.size(), 2u);
    EXPECT_TRUE(resolver.requests[0].aborted);
    resolver.answerAddress(1, QStringLiteral("192.0.2.1"));
    EXPECT_EQ(answers, 1);
    EXPECT_FALSE(finder.busy());
}

TEST_F(TcpClientTest, SameServerNameTwiceStartsOneLookup)
{
    client->setServerName(QStringLiteral("pop.example.jp"));
    client->setServerName(QStringLiteral("pop.example.jp"));
    ASSERT_EQ(resolver.requests.size(), 1u);
    EXPECT_EQ(resolver.requests[0].name, QStringLiteral("pop.example.jp"));
    resolver.answerAddress(0, QStringLiteral("127.0.0.1"));
    client->setServerName(QStringLiteral("pop.example.jp"));
    EXPECT_EQ(resolver.requests.size(), 1u);
    EXPECT_EQ(client->serverAddress(), QHostAddress(QStringLiteral("127.0.0.1")));
}

TEST_F(TcpClientTest, ActiveDuringALookupConnectsOnceWhenTheAddressArrives)
{
    client->setServerName(QStringLiteral("pop.example.jp"));
    client->setPort(listener.port());
    client->setActive(true);
    EXPECT_TRUE(client->active());
    EXPECT_EQ(client->handle(), TKStreamSock::InvalidSocket);
    test::pumpFor(30);
    EXPECT_EQ(listener.pendingNow(), 0);
    resolver.answerAddress(0, QStringLiteral("127.0.0.1"));
    auto peer2 = listener.accept();
    ASSERT_TRUE(peer2);
    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
    test::pumpFor(50);
    EXPECT_EQ(listener.pendingNow(), 0);
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(resolver.requests.size(), 1u);
}

TEST_F(TcpClientTest, SystemResolverFindsLocalhost)
{
    TKTcpClient real;
    observe(real);
    real.setServerName(QStringLiteral("localhost"));
    real.setPort(listener.port());
    real.setActive(true);
    auto peer3 = listener.accept();
    ASSERT_TRUE(peer3);
    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
    EXPECT_EQ(real.serverAddress(), QHostAddress(QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TcpClientTest, ChangingThePortOfAnActiveClientReconnects)
{
    RawListener second;
    client->setServerName(QStringLiteral("127.0.0.1"));
    client->setPort(listener.port());
    client->setActive(true);
    auto first = listener.accept();
    ASSERT_TRUE(first);
    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
    client->setPort(second.port());
    EXPECT_TRUE(client->active());
    ASSERT_TRUE(first->waitForEof());
    auto peer4 = second.accept();
    ASSERT_TRUE(peer4);
    ASSERT_TRUE(waitFor([&] { return connects == 2; }));
    EXPECT_EQ(client->port(), second.port());
}

TEST_F(TcpClientTest, ChangingThePortOfAnIdleClientDoesNotConnect)
{
    client->setServerName(QStringLiteral("127.0.0.1"));
    client->setPort(listener.port());
    test::pumpFor(30);
    EXPECT_EQ(listener.pendingNow(), 0);
    EXPECT_FALSE(client->active());
}

TEST_F(TcpClientTest, RefusedConnectionReportsItsTableText)
{
    client->setServerName(QStringLiteral("127.0.0.1"));
    client->setPort(test::unusedPort());
    client->setActive(true);
    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }));
    test::pumpFor(30);
    EXPECT_EQ(errors, QStringList { QStringLiteral("WSAECONNREFUSED 接続が拒否されました") });
    EXPECT_TRUE(client->active());
    EXPECT_FALSE(client->connected());
    EXPECT_EQ(connects, 0);
}

TEST_F(TcpClientTest, UnknownHostReportsNotFoundAndDropsActive)
{
    TKTcpClient real;
    observe(real);
    real.setServerName(QStringLiteral("no-such-host.invalid"));
    real.setPort(listener.port());
    real.setActive(true);
    ASSERT_TRUE(waitFor([&] { return !errors.isEmpty(); }, 20000));
    EXPECT_EQ(errors, QStringList { QStringLiteral("WSAHOST_NOT_FOUND ホストが見つかりません") });
    EXPECT_FALSE(real.active());
    EXPECT_EQ(real.handle(), TKStreamSock::InvalidSocket);
}

TEST_F(TcpClientTest, FailedLookupIsTriedAgainOnTheNextActivation)
{
    client->setServerName(QStringLiteral("smtp.example.jp"));
    client->setPort(listener.port());
    client->setActive(true);
    HostResolver::Answer failure;
    failure.error = wsa::WSATRY_AGAIN;
    resolver.answer(0, failure);
    EXPECT_EQ(errors, QStringList { QStringLiteral("WSATRY_AGAIN もう1度試せば回復するかもしれません") });
    EXPECT_FALSE(client->active());
    client->activate();
    ASSERT_EQ(resolver.requests.size(), 2u);
    resolver.answerAddress(1, QStringLiteral("127.0.0.1"));
    auto peer5 = listener.accept();
    ASSERT_TRUE(peer5);
    ASSERT_TRUE(waitFor([&] { return connects == 1; }));
}

TEST_F(TcpClientTest, NewServerNameForgetsTheOldAddress)
{
    client->setServerName(QStringLiteral("127.0.0.1"));
    client->setServerName(QStringLiteral("smtp.example.jp"));
    EXPECT_EQ(client->serverAddress(), TKIpFinder::noAddress());
    client->setPort(listener.port());
    client->setActive(true);
    HostResolver::Answer failure;
    failure.error = wsa::WSAHOST_NOT_FOUND;
    resolver.answer(0, failure);
    test::pumpFor(30);
    EXPECT_EQ(listener.pendingNow(), 0);
}

TEST_F(TcpClientTest, DataQueuedBeforeTheConnectionGoesOutAfterIt)
{
    client->sendString("EHLO\r\n");
    client->setServerName(QStringLiteral("127.0.0.1"));
    client->setPort(listener.port());
    client->setActive(true);
    auto peer = listener.accept();
    ASSERT_TRUE(peer);
    ASSERT_TRUE(peer->waitForBytes(6));
    EXPECT_EQ(peer->data, QByteArray("EHLO\r\n"));
}

TEST_F(TcpClientTest, GreetingAnsweredInsideOnConnectArrivesAfterConnect)
{
    client->setOnConnect([this](QObject *) {
        ++connects;
        client->sendString("HELO me\r\n");
    });
    client->setServerName(QStringLiteral("127.0.0.1"));
    client->setPort(listener.port());
    client->setActive(true);
    auto peer = listener.accept();
    ASSERT_TRUE(peer);
    ASSERT_TRUE(peer->waitForBytes(9));
    EXPECT_EQ(peer->data, QByteArray("HELO me\r\n"));
}

TEST_F(TcpClientTest, SwitchingOffCancelsNothingButLaterAnswerDoesNotConnect)
{
    client->setServerName(QStringLiteral("pop.example.jp"));
    client->setPort(listener.port());
    client->setActive(true);
    client->setActive(false);
    resolver.answerAddress(0, QStringLiteral("127.0.0.1"));
    test::pumpFor(30);
    EXPECT_EQ(listener.pendingNow(), 0);
    EXPECT_EQ(client->serverAddress(), QHostAddress(QStringLiteral("127.0.0.1")));
    client->setActive(true);
    auto peer6 = listener.accept();
    ASSERT_TRUE(peer6);
}

} // namespace
} // namespace vesk
