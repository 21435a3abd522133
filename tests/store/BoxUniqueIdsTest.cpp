#include "store/BoxUniqueIds.h"

#include <QCryptographicHash>
#include <QSet>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

QByteArray digestOf(const QByteArray &name)
{
    return QCryptographicHash::hash(name, QCryptographicHash::Md5).toHex();
}

// Ids from headers and names as the store finds them; an empty expectation
// stands for the digest of that message's file name.
TEST(BoxUniqueIds, UsableAndUniqueTheFirstHolderKeepingItsOwn)
{
    const QStringList names = { "a.ID", "b.ID", "c.ID" };
    const QList<QList<QByteArray>> rows[] = {
        { { "m1@x", "list@x", "list@x" }, { "m1@x", "list@x", "" } }, // one Message-ID twice
        { { "x\r\n+OK evil", "a b", "\xe3\x81\x82" }, { "", "", "" } }, // CR LF, blank, 8-bit
        { { QByteArray(70, 'x'), QByteArray(71, 'y'), "" }, { QByteArray(70, 'x'), "", "" } },
        { { "bad id", digestOf("a.ID"), "ok" }, { "", digestOf("a.ID"), "ok" } }, // made to collide
    };
    for (const auto &row : rows) {
        const QList<QByteArray> ids = BoxUniqueIds::assign(names, row[0]);
        EXPECT_EQ(QSet<QByteArray>(ids.begin(), ids.end()).size(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(BoxUniqueIds::usable(ids[i])) << ids[i].constData();
            if (!row[1][i].isEmpty() || !row[0].contains(digestOf(names[i].toUtf8()))) {
                EXPECT_EQ(ids[i], row[1][i].isEmpty() ? digestOf(names[i].toUtf8()) : row[1][i]);
            }
        }
        EXPECT_EQ(BoxUniqueIds::assign(names, row[0]), ids); // the same on every connection
    }
}

} // namespace
} // namespace vesk::test
