#include "NetTestSupport.h"

#include "net/LineAssembler.h"
#include "net/TKError.h"
#include "net/TKTcpClient.h"
#include "platform/EventPump.h"

#include <QByteArrayList>
#include <QStringList>

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/socket.h>

namespace vesk {
namespace {

using test::RawConnection;
using test::RawListener;
using test::waitFor;

// A connected client socket with a plain peer, recording its events.
class StreamSocketTest : public ::testing::Test
{
protected:
    StreamSocketTest()
    {
        client.setOnConnect([this](QObject *) { events << QStringLiteral("connect"); });
        client.setOnSendEmpty([this](QObject *) {
            ++sendEmpties;
            events << QStringLiteral("sendEmpty");
        });
        client.setOnRcvReady([this](QObject *) {
            events << QStringLiteral("rcvReady");
            if (onRcvReady)
                onRcvReady();
            else
                received += client.receive();
        });
        client.setOnDisconnect([this](QObject *) { events << QStringLiteral("disconnect"); });
        client.setOnError([this](QObject *sender, const TKError &error) {
            EXPECT_EQ(sender, &client);
            errors << error.message();
            events << QStringLiteral("error");
            if (onError)
                onError();
        });
    }

    void connectClient(bool peerReads = true)
    {
        client.setServerName(QStringLiteral("127.0.0.1"));
        client.setPort(listener.port());
        client.setActive(true);
        peer = listener.accept(5000, peerReads);
        ASSERT_TRUE(peer);
        ASSERT_TRUE(waitFor([&] { return sendEmpties == 1; }));
        events.clear();
        sendEmpties = 0;
    }

    int count(const QString &event) const { return int(events.count(event)); }

    RawListener listener;
    TKTcpClient client;
    std::unique_ptr<RawConnection> peer;
    QStringList events;
    QStringList errors;
    QByteArray received;
    int sendEmpties = 0;
    std::function<void()> onRcvReady;
    std::function<void()> onError;
};

TEST_F(StreamSocketTest, SendingStartsFromTheEventLoopNeverInsideSend)
{
    connectClient();
    client.sendString("USER a\r\n");
    EXPECT_EQ(client.queuedBytes(), 8);
    EXPECT_EQ(peer->data.size(), 0);
    ASSERT_TRUE(peer->waitForBytes(8));
    EXPECT_EQ(peer->data, QByteArray("USER a\r\n"));
    ASSERT_TRUE(waitFor([&] { return sendEmpties == 1; }));
    EXPECT_EQ(client.queuedBytes(), 0);
}

TEST_F(StreamSocketTest, SendOfNothingQueuesAndPostsNothing)
{
    connectClient();
    client.send(nullptr, 5);
    client.send("abc", 0);
    client.send("abc", -1);
    client.send(QByteArray());
    EXPECT_EQ(client.queuedBytes(), 0);
    test::pumpFor(50);
    EXPECT_EQ(sendEmpties, 0);
}

TEST_F(StreamSocketTest, WriteReadinessIsNotWatchedOnceTheQueueHasDrained)
{
    connectClient();
    client.send(test::patternBytes(64 * 1024));
    ASSERT_TRUE(waitFor([&] { return sendEmpties == 1; }));
    // A write watch left on would report again and again.
    test::pumpFor(100);
    EXPECT_EQ(sendEmpties, 1);
}

TEST_F(StreamSocketTest, ReplySplitBeforeItsCrLfIsJudgedOnce)
{
    connectClient();
    LineAssembler assembler;
    QByteArrayList judged;
    assembler.setJudge([&](const QByteArray &line) { judged << line; });
    onRcvReady = [&] { assembler.feed(client.receive()); };
    peer->write("+OK");
    ASSERT_TRUE(waitFor([&] { return count(QStringLiteral("rcvReady")) == 1; }));
    EXPECT_TRUE(judged.isEmpty());
    peer->write("\r\n");
    ASSERT_TRUE(waitFor([&] { return !judged.isEmpty(); }));
    test::pumpFor(20);
    EXPECT_EQ(judged, QByteArrayList { "+OK" });
}

TEST_F(StreamSocketTest, ChunkWithLineAndRestJudgesTheLineAndKeepsTheRest)
{
    connectClient();
    LineAssembler assembler;
    QByteArrayList judged;
    assembler.setJudge([&](const QByteArray &line) { judged << line; });
    onRcvReady = [&] { assembler.feed(client.receive()); };
    peer->write("abc\r\ndef");
    ASSERT_TRUE(waitFor([&] { return !judged.isEmpty(); }));
    test::pumpFor(20);
    EXPECT_EQ(judged, QByteArrayList { "abc" });
    EXPECT_EQ(assembler.pending(), QByteArray("def"));
    peer->write("\n");
    test::pumpFor(20);
    EXPECT_EQ(judged.size(), 1);
    peer->write("\r\n");
    ASSERT_TRUE(waitFor([&] { return judged.size() == 2; }));
    EXPECT_EQ(judged.last(), QByteArray("def\n"));
}

TEST_F(StreamSocketTest, CloseWithoutCloseAfterSendDiscardsUnsentData)
{
    connectClient(false);
    const QByteArray bytes = test::patternBytes(32 * 1024 * 1024);
    client.send(bytes);
    ASSERT_TRUE(waitFor([&] { return client.queuedBytes() < bytes.size(); }));
    client.close();
    EXPECT_EQ(client.queuedBytes(), 0);
    EXPECT_FALSE(client.active());
    peer->setAutoRead(true);
    ASSERT_TRUE(peer->waitForEof(10000));
    EXPECT_LT(peer->data.size(), bytes.size());
    EXPECT_EQ(peer->data, bytes.left(peer->data.size()));
}

TEST_F(StreamSocketTest, CloseAfterSendClosesOnceEverythingIsSent)
{
    connectClient();
    const QByteArray bytes = test::patternBytes(32 * 1024 * 1024);
    client.send(bytes);
    client.closeAfterSend();
    EXPECT_TRUE(client.closePending());
    EXPECT_NE(client.handle(), TKStreamSock::InvalidSocket);
    ASSERT_TRUE(peer->waitForEof(20000));
    EXPECT_EQ(peer->data.size(), bytes.size());
    EXPECT_TRUE(peer->data == bytes);
    EXPECT_EQ(client.handle(), TKStreamSock::InvalidSocket);
    EXPECT_EQ(sendEmpties, 0);
}

TEST_F(StreamSocketTest, CloseAfterSendWithEmptyQueueClosesAtOnce)
{
    connectClient();
    client.closeAfterSend();
    EXPECT_EQ(client.handle(), TKStreamSock::InvalidSocket);
    ASSERT_TRUE(peer->waitForEof());
}

TEST_F(StreamSocketTest, CloseWhileClosePendingWaitsForTheQueueToDrain)
{
    connectClient();
    const QByteArray bytes = test::patternBytes(16 * 1024 * 1024);
    client.send(bytes);
    client.closeAfterSend();
    client.close();
    EXPECT_EQ(client.handle(), TKStreamSock::InvalidSocket);
    ASSERT_TRUE(peer->waitForEof(20000));
    EXPECT_TRUE(peer->data == bytes);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(StreamSocketTest, CloseGivesUpOnAPeerThatNeverReads)
{
    connectClient(false);
    client.setCloseTimeoutMs(200);
    client.send(test::patternBytes(32 * 1024 * 1024));
    client.closeAfterSend();
    client.close();
    EXPECT_EQ(client.handle(), TKStreamSock::InvalidSocket);
    EXPECT_EQ(client.queuedBytes(), 0);
    EXPECT_EQ(errors, QStringList { QStringLiteral("WSAETIMEDOUT 接続タイムアウトが発生しました") });
}

// Serves the loop as usual but remembers how it was asked to wait.
class RecordingPump final : public EventPump
{
public:
    bool waitUntil(const std::function<bool()> &done, int rounds, int pauseMs) override
    {
        calls.push_back({ rounds, pauseMs });
        return QtEventPump::instance().waitUntil(done, rounds, pauseMs);
    }
    std::vector<std::pair<int, int>> calls;
};

TEST(StreamSocketCloseTest, CloseWaitsThroughTheInjectedPumpInBoundedRounds)
{
    RecordingPump pump;
    NetServices services;
    services.pump = &pump;
    RawListener listener;
    TKTcpClient client(nullptr, services);
    bool connected = false;
    QStringList errors;
    client.setOnConnect([&](QObject *) { connected = true; });
    client.setOnError([&](QObject *, const TKError &error) { errors << error.message(); });
    client.setServerName(QStringLiteral("127.0.0.1"));
    client.setPort(listener.port());
    client.setActive(true);
    auto peer = listener.accept(5000, false);
    ASSERT_TRUE(peer);
    ASSERT_TRUE(waitFor([&] { return connected; }));
    client.setCloseTimeoutMs(110);
    client.send(test::patternBytes(32 * 1024 * 1024));
    client.closeAfterSend();
    client.close();
    ASSERT_EQ(pump.calls.size(), 1u);
    EXPECT_EQ(pump.calls[0], std::make_pair(2, 55));
    EXPECT_EQ(errors, QStringList { QStringLiteral("WSAETIMEDOUT 接続タイムアウトが発生しました") });
}

TEST_F(StreamSocketTest, AbortOnCloseDropsTheQueueAndResetsTheConnection)
{
    connectClient(false);
    client.send(test::patternBytes(32 * 1024 * 1024));
    ASSERT_TRUE(waitFor([&] { return client.queuedBytes() < 32 * 1024 * 1024; }));
    client.abortOnClose();
    EXPECT_EQ(client.queuedBytes(), 0);
    EXPECT_FALSE(client.closePending());
    EXPECT_NE(client.handle(), TKStreamSock::InvalidSocket);
    client.close();
    peer->setAutoRead(true);
    ASSERT_TRUE(peer->waitForEof());
    EXPECT_EQ(peer->error, ECONNRESET);
}

TEST_F(StreamSocketTest, PeerCloseFiresDisconnectOnceAfterTheLastBytes)
{
    connectClient();
    peer->write("bye\r\n");
    peer->shutdownWrite();
    ASSERT_TRUE(waitFor([&] { return count(QStringLiteral("disconnect")) == 1; }));
    test::pumpFor(50);
    EXPECT_EQ(events, (QStringList { QStringLiteral("rcvReady"), QStringLiteral("disconnect") }));
    EXPECT_EQ(received, QByteArray("bye\r\n"));
    // The socket stays until its owner closes it.
    EXPECT_TRUE(client.active());
    EXPECT_NE(client.handle(), TKStreamSock::InvalidSocket);
    EXPECT_FALSE(client.connected());
}

TEST_F(StreamSocketTest, ReplyToAPeerThatClosedItsSendingSideStillGoesOut)
{
    connectClient();
    onRcvReady = [&] {
        received += client.receive();
        client.sendString("221 bye\r\n");
    };
    peer->write("QUIT\r\n");
    peer->shutdownWrite();
    ASSERT_TRUE(peer->waitForBytes(9));
    EXPECT_EQ(peer->data, QByteArray("221 bye\r\n"));
}

TEST_F(StreamSocketTest, ResetByPeerReportsTheErrorThenDisconnects)
{
    connectClient();
    int errorsSeen = 0;
    // A handler answering an error with more data must not cause more errors.
    onError = [&] {
        ++errorsSeen;
        client.sendString("-ERR\r\n");
    };
    peer->resetClose();
    ASSERT_TRUE(waitFor([&] { return count(QStringLiteral("disconnect")) == 1; }));
    test::pumpFor(50);
    EXPECT_EQ(errors, QStringList { QStringLiteral("WSAECONNRESET ピア側での接続がリセットされました") });
    EXPECT_EQ(events, (QStringList { QStringLiteral("error"), QStringLiteral("disconnect") }));
    EXPECT_EQ(errorsSeen, 1);
}

TEST_F(StreamSocketTest, UnreceivedBytesPauseReadingInsteadOfGrowingMemory)
{
    connectClient();
    onRcvReady = [] {};
    const QByteArray bytes = test::patternBytes(24 * 1024 * 1024);
    qsizetype written = 0;
    // Feed the socket without blocking until nothing more fits anywhere.
    waitFor(
        [&] {
            const ssize_t sent = ::send(peer->handle(), bytes.constData() + written,
                size_t(bytes.size() - written), MSG_DONTWAIT | MSG_NOSIGNAL);
            if (sent > 0)
                written += sent;
            return written == bytes.size();
        },
        1000);
    EXPECT_LE(client.bufferedBytes(), TKStreamTranciverSocket::MaxReceiveBuffer + 1024 * 1024);
    EXPECT_GE(client.bufferedBytes(), TKStreamTranciverSocket::MaxReceiveBuffer);
    QByteArray got = client.receive();
    onRcvReady = [&] { got += client.receive(); };
    ASSERT_TRUE(waitFor(
        [&] {
            if (written < bytes.size()) {
                const ssize_t sent = ::send(peer->handle(), bytes.constData() + written,
                    size_t(bytes.size() - written), MSG_DONTWAIT | MSG_NOSIGNAL);
                if (sent > 0)
                    written += sent;
            }
            return got.size() == bytes.size();
        },
        20000));
    EXPECT_TRUE(got == bytes);
}

} // namespace
} // namespace vesk
