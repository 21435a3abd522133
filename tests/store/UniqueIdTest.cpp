#include "StoreFixture.h"

#include "store/UniqueIdReader.h"

#include <QBuffer>

namespace vesk::test {
namespace {

class UniqueId : public StoreFixture
{
protected:
    QString uidlOf(const QByteArray &content, const QString &name = "202612052033101230.ID")
    {
        put(Box::InBox, name, content);
        return m_store.searchUidl(Box::InBox, name);
    }
};

TEST_F(UniqueId, XUidlWinsOverMessageId)
{
    EXPECT_EQ(
        uidlOf("Message-ID: <m1@example.jp>\r\nX-UIDL: abc123\r\nSubject: s\r\n\r\nbody\r\n"), "abc123");
    EXPECT_EQ(uidlOf("X-UIDL: abc123\r\nMessage-ID: <m1@example.jp>\r\n\r\n", "b.ID"), "abc123");
}

TEST_F(UniqueId, LastXUidlWins)
{
    EXPECT_EQ(uidlOf("X-UIDL: first\r\nX-UIDL:   second  \r\n\r\n"), "second");
}

TEST_F(UniqueId, HeaderNamesInAnyCase)
{
    EXPECT_EQ(uidlOf("x-uidl: lower\r\n\r\n", "a.ID"), "lower");
    EXPECT_EQ(uidlOf("X-Uidl:mixed\r\n\r\n", "b.ID"), "mixed");
    EXPECT_EQ(uidlOf("message-id: <low@x>\r\n\r\n", "c.ID"), "low@x");
    EXPECT_EQ(uidlOf("MESSAGE-ID: <up@x>\r\n\r\n", "d.ID"), "up@x");
}

TEST_F(UniqueId, MessageIdCandidateCuts)
{
    EXPECT_EQ(uidlOf("Message-ID: <a@b> (comment)\r\n\r\n", "1.ID"), "a@b");
    EXPECT_EQ(uidlOf("Message-ID:   bare@host   \r\n\r\n", "2.ID"), "bare@host");
    // Only the first ":" ends the name; the first "<" and first ">" cut.
    EXPECT_EQ(uidlOf("Message-ID: x<a:b<c>d>\r\n\r\n", "3.ID"), "a:b<c");
    EXPECT_EQ(uidlOf("Message-ID: <open-only@x\r\n\r\n", "4.ID"), "open-only@x");
    EXPECT_EQ(uidlOf("Message-ID: close-only@x>\r\n\r\n", "5.ID"), "close-only@x");
    EXPECT_EQ(uidlOf("Message-ID: <one@x>\r\nMessage-ID: <two@x>\r\n\r\n", "6.ID"), "two@x");
}

TEST_F(UniqueId, EmptyCandidatesFallBack)
{
    // The last Message-ID decides, even when an earlier one had an address.
    EXPECT_EQ(
        uidlOf("Message-ID: <a@b>\r\nMessage-ID: <>\r\n\r\n", "20261205203310123.ID"), "20261205203310123");
    // An empty X-UIDL gives no id: the Message-ID is used.
    EXPECT_EQ(uidlOf("X-UIDL:   \r\nMessage-ID: <m@x>\r\n\r\n", "2.ID"), "m@x");
}

TEST_F(UniqueId, FileNameFallbackCutsTheFirstIdInAnyCase)
{
    EXPECT_EQ(uidlOf("Subject: none\r\n\r\n", "202612052033101230.id"), "202612052033101230");
    EXPECT_EQ(uidlOf("", "x.Id.ID"), "x.ID");
    EXPECT_EQ(m_store.searchUidl(Box::InBox, "missing5.ID"), "missing5");
}

TEST_F(UniqueId, OnlyTheHeaderCounts)
{
    EXPECT_EQ(uidlOf("Subject: s\r\n \t \r\nX-UIDL: in-body\r\n", "7.ID"), "7");
    // a body line is never looked at, however long the body
    EXPECT_EQ(uidlOf("Subject: s\r\n\r\n" + QByteArray(3 << 20, 'b') + "\r\nX-UIDL: late\r\n", "8.ID"), "8");
}

TEST_F(UniqueId, LineEndsOfAnyKind)
{
    EXPECT_EQ(uidlOf("Subject: s\nX-UIDL: lf\n\nX-UIDL: body\n", "1.ID"), "lf");
    EXPECT_EQ(uidlOf("Subject: s\rX-UIDL: cr\r\rX-UIDL: body\r", "2.ID"), "cr");
    EXPECT_EQ(uidlOf("X-UIDL: no-end", "3.ID"), "no-end");
}

TEST_F(UniqueId, EnvelopeLinesOfTheOutBoxAreJustHeaderLines)
{
    const QByteArray content = "VeskFrom: <me@x>\r\nVeskTo: <you@y>\r\nReceived: from a\r\n"
                               "Message-ID: <out@x>\r\n\r\n";
    put(Box::OutBox, "9.ID", content);
    EXPECT_EQ(m_store.searchUidl(Box::OutBox, "9.ID"), "out@x");
}

TEST_F(UniqueId, NamesLeavingTheFolderAreNotRead)
{
    put(Box::InBox, "secret.ID", "X-UIDL: secret\r\n\r\n");
    EXPECT_EQ(m_store.searchUidl(Box::InBox1, "../InBox/secret.ID"), "../InBox/secret");
}

TEST(UniqueIdReader, HeaderEndingExactlyAtTheReadLimit)
{
    QByteArray header = "X-UIDL: kept\r\n";
    header += "Subject: ";
    header += QByteArray(UniqueIdReader::HeaderLimit - header.size() - 2, 's');
    header += "\r\nX-UIDL: beyond\r\n\r\n";
    QBuffer buffer(&header);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_EQ(UniqueIdReader::fromHeader(buffer), "kept");
}

TEST(UniqueIdReader, CrLfSplitAcrossReads)
{
    // 16 KiB reads: put the CR of a CR LF at the end of the first one.
    QByteArray header = "Subject: " + QByteArray(16 * 1024 - 10, 's') + "\r\nX-UIDL: joined\r\n\r\n";
    ASSERT_EQ(header[16 * 1024 - 1], '\r');
    QBuffer buffer(&header);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_EQ(UniqueIdReader::fromHeader(buffer), "joined");
}

} // namespace
} // namespace vesk::test
