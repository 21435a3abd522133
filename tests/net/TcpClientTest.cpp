#include "FakeResolver.h"
#include "NetTestSupport.h"

#include "net/QtHostResolver.h"
#include "net/SocketErrors.h"
#include "net/TKError.h"
#include "net/TKTcpClient.h"
#include "net/TKWinSockError.h"
#include "net/WinSockCodes.h"
#include "support/FreePort.h"

#include <QHostInfo>
#include <QStringList>

#include <cerrno>
#include <gtest/gtest.h>
#include <netdb.h>

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

TEST_F(TcpClientTest, EveryAddressOfADualStackNameIsTriedInOrderBeforeFailing)
{
    const struct
    {
        const char *first;
        const char *second;
        bool listenIpv6; // else 127.0.0.1
        bool listening;
        const char *connected; // empty: the error of the last
    } rows[] = {
        { "::1", "127.0.0.1", false, true, "127.0.0.1" },
        { "127.0.0.1", "::1", true, true, "::1" },
        { "::1", "127.0.0.1", false, false, "" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.first) + " " + row.second);
        RawListener dualListener(row.listenIpv6 ? QHostAddress::LocalHostIPv6 : QHostAddress::LocalHost);
        if (row.listenIpv6 && dualListener.port() == 0)
            GTEST_SKIP() << "no IPv6 loopback";
        test::FakeResolver dualResolver;
        TKTcpClient dual { nullptr, NetServices { .resolver = &dualResolver } };
        connects = 0;
        errors.clear();
        observe(dual);
        dual.setServerName(QStringLiteral("dual.example.jp"));
        dual.setPort(row.listening ? dualListener.port() : test::freePort());
        dual.setActive(true);
        HostResolver::Answer answer;
        answer.addresses
            = { QHostAddress(QLatin1String(row.first)), QHostAddress(QLatin1String(row.second)) };
        dualResolver.answer(0, answer);
        ASSERT_TRUE(waitFor([&] { return connects > 0 || !errors.isEmpty(); }));
        test::pumpFor(30);
        if (*row.connected) {
            EXPECT_EQ(connects, 1);
            EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
            EXPECT_EQ(dual.serverAddress(), QHostAddress(QLatin1String(row.connected)));
        } else {
            EXPECT_EQ(connects, 0);
            EXPECT_EQ(errors, QStringList { QStringLiteral("WSAECONNREFUSED 接続が拒否されました") });
        }
    }
}

TEST(SocketErrorsTest, ErrnoValuesGiveTheTableTextOrStayANumber)
{
    const std::pair<int, const char *> rows[] = {
        { EAGAIN, "WSAEWOULDBLOCK 操作がブロックされます" },
        { EPIPE, "WSAECONNRESET ピア側での接続がリセットされました" },
        { EACCES, "WSAEACCES アクセスが拒否されました" },
        { EIO, "エラーコード: 5" },
    };
    for (const auto &[error, text] : rows)
        EXPECT_EQ(TKWinSockError(winSockCodeFromErrno(error)).message(), QString::fromUtf8(text)) << error;
    EXPECT_EQ(TKWinSockError(10072).message(), QStringLiteral("エラーコード: 10072")); // a gap in the table
}

TEST(SocketErrorsTest, LookupFailuresGiveLookupCodes)
{
    EXPECT_EQ(winSockCodeFromAddrInfo(EAI_FAIL), wsa::WSANO_RECOVERY);
    EXPECT_EQ(winSockCodeFromAddrInfo(EAI_NODATA), wsa::WSANO_DATA);
    const auto qtCode = [](QHostInfo::HostInfoError error, const QString &text) {
        QHostInfo info;
        info.setError(error);
        info.setErrorString(text);
        return QtHostResolver::errorCode(info);
    };
    EXPECT_EQ(qtCode(QHostInfo::HostNotFound, {}), wsa::WSAHOST_NOT_FOUND);
    EXPECT_EQ(qtCode(QHostInfo::UnknownError, QString::fromLocal8Bit(::gai_strerror(EAI_AGAIN))),
        wsa::WSATRY_AGAIN);
    EXPECT_EQ(qtCode(QHostInfo::UnknownError, QStringLiteral("something else")), wsa::WSANO_RECOVERY);
    EXPECT_EQ(QtHostResolver::errorCode(QHostInfo()), wsa::WSANO_DATA);
}

} // namespace
} // namespace vesk
