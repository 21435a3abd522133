#include "NetTestSupport.h"

#include "net/TKError.h"
#include "net/TKTcpClient.h"
#include "support/FakeEventPump.h"

#include <QStringList>

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/socket.h>

namespace vesk {
namespace {

using test::patternBytes;
using test::RawConnection;
using test::RawListener;
using test::waitFor;

const QString TimedOut = QStringLiteral("WSAETIMEDOUT 接続タイムアウトが発生しました");

// A connected client socket with a plain peer, recording its events. Its
// waits go through a pump that counts them and takes no time unless told.
class StreamSocketTest : public ::testing::Test
{
protected:
    StreamSocketTest()
    {
        pump.serveEventLoop = true;
        client.setOnConnect([this](QObject *) { events << "connect"; });
        client.setOnSendEmpty([this](QObject *) { events << "sendEmpty"; });
        client.setOnRcvReady([this](QObject *) {
            events << "rcvReady";
            onRcvReady ? onRcvReady() : void(received += client.receive());
        });
        client.setOnDisconnect([this](QObject *) { events << "disconnect"; });
        client.setOnError([this](QObject *, const TKError &error) {
            events << "error";
            errors << error.message();
            if (onError)
                onError();
        });
    }

    void connectClient(bool peerReads = true)
    {
        client.setServerName(QStringLiteral("127.0.0.1"));
        client.setPort(listener.port());
        client.setActive(true);
        peer = listener.accept(peerReads);
        ASSERT_TRUE(peer);
        ASSERT_TRUE(waitFor([&] { return events.contains("sendEmpty"); }));
        events.clear();
    }
    int count(const char *event) const { return int(events.count(QLatin1String(event))); }

    test::FakeEventPump pump;
    RawListener listener;
    TKTcpClient client { nullptr, NetServices { .pump = &pump } };
    std::unique_ptr<RawConnection> peer;
    QStringList events, errors;
    QByteArray received;
    std::function<void()> onRcvReady, onError;
};

TEST_F(StreamSocketTest, SendingStartsFromTheEventLoopAndStopsWatchingOnceDrained)
{
    connectClient();
    client.send(nullptr, 5);
    client.send("abc", -1);
    client.send(QByteArray());
    EXPECT_EQ(client.queuedBytes(), 0);
    client.sendString("USER a\r\n");
    EXPECT_EQ(client.queuedBytes(), 8);
    EXPECT_EQ(peer->data.size(), 0);
    ASSERT_TRUE(peer->waitForBytes(8));
    EXPECT_EQ(peer->data, "USER a\r\n");
    // A write watch left on would report again and again.
    test::pumpFor(100);
    EXPECT_EQ(events, QStringList { "sendEmpty" });
    client.closeAfterSend();
    EXPECT_EQ(client.handle(), TKStreamSock::InvalidSocket); // nothing queued: at once
    ASSERT_TRUE(peer->waitForEof());
}

TEST_F(StreamSocketTest, CloseWithoutCloseAfterSendDiscardsUnsentData)
{
    connectClient(false);
    const QByteArray bytes = patternBytes(32 * 1024 * 1024);
    client.send(bytes);
    ASSERT_TRUE(waitFor([&] { return client.queuedBytes() < bytes.size(); }));
    client.close();
    EXPECT_EQ(client.queuedBytes(), 0);
    EXPECT_FALSE(client.active());
    peer->setAutoRead(true);
    ASSERT_TRUE(peer->waitForEof(10000));
    EXPECT_LT(peer->data.size(), bytes.size());
    EXPECT_TRUE(peer->data == bytes.left(peer->data.size()));
}

TEST_F(StreamSocketTest, CloseAfterSendClosesOnceEverythingIsSentEvenWhenCloseFollows)
{
    connectClient();
    pump.eachRound = [] { test::pumpFor(50); };
    const QByteArray bytes = patternBytes(16 * 1024 * 1024);
    client.send(bytes);
    client.closeAfterSend();
    EXPECT_TRUE(client.closePending());
    EXPECT_NE(client.handle(), TKStreamSock::InvalidSocket);
    client.close();
    EXPECT_EQ(client.handle(), TKStreamSock::InvalidSocket);
    ASSERT_TRUE(peer->waitForEof(20000));
    EXPECT_TRUE(peer->data == bytes);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(StreamSocketTest, CloseGivesUpOnAPeerThatNeverReadsInBoundedRounds)
{
    connectClient(false);
    client.setCloseTimeoutMs(110);
    client.send(patternBytes(32 * 1024 * 1024));
    client.closeAfterSend();
    client.close();
    EXPECT_EQ(client.handle(), TKStreamSock::InvalidSocket);
    EXPECT_EQ(client.queuedBytes(), 0);
    EXPECT_EQ(errors, QStringList { TimedOut });
    EXPECT_EQ(pump.roundsRun, 2);
    EXPECT_EQ(pump.waitedMs, 110);
}

TEST_F(StreamSocketTest, PeerCloseFiresDisconnectOnceAfterTheLastBytesAndAReplyStillGoesOut)
{
    connectClient();
    onRcvReady = [&] {
        received += client.receive();
        client.sendString("221 bye\r\n");
    };
    peer->write("QUIT\r\n");
    peer->shutdownWrite();
    ASSERT_TRUE(peer->waitForBytes(9));
    EXPECT_EQ(peer->data, "221 bye\r\n");
    test::pumpFor(50);
    EXPECT_EQ(events.first(), "rcvReady");
    EXPECT_EQ(count("disconnect"), 1);
    EXPECT_EQ(received, "QUIT\r\n");
    // The socket stays until its owner closes it.
    EXPECT_TRUE(client.active());
    EXPECT_FALSE(client.connected());
}

TEST_F(StreamSocketTest, ResetByPeerReportsTheErrorOnceThenDisconnects)
{
    connectClient();
    onError = [&] { client.sendString("-ERR\r\n"); }; // more data must not cause more errors
    peer->resetClose();
    ASSERT_TRUE(waitFor([&] { return count("disconnect") == 1; }));
    test::pumpFor(50);
    EXPECT_EQ(errors, QStringList { "WSAECONNRESET ピア側での接続がリセットされました" });
    EXPECT_EQ(events, (QStringList { "error", "disconnect" }));
}

TEST_F(StreamSocketTest, UnreceivedBytesPauseReadingInsteadOfGrowingMemory)
{
    connectClient();
    onRcvReady = [] {};
    const QByteArray bytes = patternBytes(24 * 1024 * 1024);
    qsizetype written = 0;
    QByteArray got;
    const auto feed = [&] {
        const ssize_t sent = ::send(peer->handle(), bytes.constData() + written,
            size_t(bytes.size() - written), MSG_DONTWAIT | MSG_NOSIGNAL);
        written += std::max<ssize_t>(sent, 0);
        return got.size() == bytes.size();
    };
    // Feed the socket without blocking until nothing more fits anywhere.
    waitFor(feed, 1000);
    EXPECT_LE(client.bufferedBytes(), TKStreamTranciverSocket::MaxReceiveBuffer + 1024 * 1024);
    EXPECT_GE(client.bufferedBytes(), TKStreamTranciverSocket::MaxReceiveBuffer);
    got = client.receive();
    onRcvReady = [&] { got += client.receive(); };
    ASSERT_TRUE(waitFor(feed, 20000));
    EXPECT_TRUE(got == bytes);
}

} // namespace
} // namespace vesk
