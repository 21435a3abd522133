#include "server/MessageStreamer.h"
#include "server/SmtpBody.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

class Streamer : public ::testing::Test
{
protected:
    // Serves a file's text in pieces of `budget` bytes at a time.
    QByteArray serve(const QByteArray &content, int topLines, qsizetype budget)
    {
        const QString path = m_dir.path() + QStringLiteral("/m.ID");
        EXPECT_TRUE(writeFile(path, content));
        MessageStreamer streamer(path, topLines);
        EXPECT_TRUE(streamer.open());
        QByteArray out;
        for (int round = 0; round < 100000; ++round) {
            const qsizetype before = out.size();
            const bool done = streamer.fill(out, budget, {}, {});
            // Bounded: the budget plus at most a held line and one read.
            EXPECT_LE(out.size() - before, budget + 130 * 1024);
            if (done)
                break;
        }
        return out;
    }

    QTemporaryDir m_dir;
};

TEST_F(Streamer, PieceSizeDoesNotChangeTheText)
{
    // Envelope lines only lead the file; a body line like them stays.
    const QByteArray content
        = "VeskFrom: <a@b>\r\nVeskTo: <c@d>\r\nA: 1\r\nB: 2\nC\r\r\n\r\nVeskTo: x\r\n.\r\n..y\r\nlast";
    const QByteArray expected = "A: 1\r\nB: 2\r\nC\r\r\n\r\nVeskTo: x\r\n..\r\n..y\r\nlast\r\n.\r\n";
    for (qsizetype budget : { 1, 3, 7, 64, 100000 })
        EXPECT_EQ(serve(content, -1, budget), expected) << budget;
}

TEST_F(Streamer, HugeLinesGoOutInPiecesWithTheirEnds)
{
    const QByteArray longLine(200 * 1024, 'z');
    const QByteArray content = "S: x\r\n\r\n" + longLine + "\r\nnext\r\n" + longLine + '\r';
    EXPECT_EQ(serve(content, -1, 4096), "S: x\r\n\r\n" + longLine + "\r\nnext\r\n" + longLine + "\r\n.\r\n");
    // TOP counts a long line as one line.
    EXPECT_EQ(serve(content, 1, 4096), "S: x\r\n\r\n" + longLine + "\r\n.\r\n");
}

TEST_F(Streamer, HugeEnvelopeLineIsLeftOutWholeAndAnEmptyFileIsAnEmptyMessage)
{
    const QByteArray content = "VeskTo: <" + QByteArray(150 * 1024, 'r') + ">\r\nS: x\r\n\r\nb\r\n";
    EXPECT_EQ(serve(content, -1, 1000), "S: x\r\n\r\nb\r\n.\r\n");
    EXPECT_EQ(serve("", 0, 10), ".\r\n");
}

// Feeds a DATA transfer cut into two packets at `cut`.
QByteArray received(const QByteArray &wire, qsizetype cut, qsizetype *taken)
{
    SmtpBody body("HEAD\r\n", 1 << 20);
    *taken = body.feed(QByteArrayView(wire).first(cut));
    if (!body.complete())
        *taken += body.feed(QByteArrayView(wire).sliced(cut));
    return body.complete() ? body.text() : QByteArray("incomplete");
}

TEST(SmtpBodyEnd, EveryPacketCutGivesTheSameMessage)
{
    // Kept in the transfer form: only a lone dot line ends the text.
    const QByteArray wire = "A: b\r\n\r\n.x\r\n..\r\n..y\r\nlone\nLF.\r\n. \r\n\r\n.\r\nQUIT\r\n";
    const QByteArray expected = "HEAD\r\nA: b\r\n\r\n.x\r\n..\r\n..y\r\nlone\nLF.\r\n. \r\n\r\n";
    for (qsizetype cut = 0; cut <= wire.size(); ++cut) {
        qsizetype taken = 0;
        EXPECT_EQ(received(wire, cut, &taken), expected) << cut;
        EXPECT_EQ(taken, wire.size() - 6) << cut; // QUIT is left for the command reader
    }
}

TEST(SmtpBodyEnd, EmptyBodyAndOverflow)
{
    SmtpBody empty("H\r\n", 100);
    EXPECT_EQ(empty.feed(".\r\n"), 3);
    EXPECT_TRUE(empty.complete());
    EXPECT_EQ(empty.text(), "H\r\n");

    SmtpBody big("H\r\n", 10);
    big.feed("0123456789\r\n");
    EXPECT_TRUE(big.overflow());
    EXPECT_TRUE(big.text().isEmpty());
    big.feed(QByteArray(5000, 'x') + "\r\n.\r\n");
    EXPECT_TRUE(big.complete());
    EXPECT_EQ(big.bodySize(), 12 + 5002);
}

} // namespace
} // namespace vesk::test
