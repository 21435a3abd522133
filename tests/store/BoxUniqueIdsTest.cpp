#include "store/BoxUniqueIds.h"

#include <QCryptographicHash>
#include <QSet>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

QByteArray digestOf(const char *name)
{
    return QCryptographicHash::hash(name, QCryptographicHash::Md5).toHex();
}

struct Row
{
    const char *what;
    QList<QByteArray> found;
    QList<QByteArray> expected; // empty entry: the digest of that file's name
};

class BoxUniqueIdsTest : public ::testing::TestWithParam<Row>
{ };

TEST_P(BoxUniqueIdsTest, EveryIdIsUsableAndUniqueAndUsableOnesStay)
{
    const Row &row = GetParam();
    const QStringList names = { "a.ID", "b.ID", "c.ID" };
    const QList<QByteArray> ids = BoxUniqueIds::assign(names.mid(0, row.found.size()), row.found);
    ASSERT_EQ(ids.size(), row.found.size());
    QSet<QByteArray> seen;
    for (qsizetype i = 0; i < ids.size(); ++i) {
        EXPECT_TRUE(BoxUniqueIds::usable(ids[i])) << ids[i].toStdString();
        EXPECT_FALSE(seen.contains(ids[i]));
        seen.insert(ids[i]);
        if (!row.expected[i].isEmpty()) {
            EXPECT_EQ(ids[i], row.expected[i]);
        } else if (row.found.count(digestOf(names[i].toUtf8())) == 0) {
            EXPECT_EQ(ids[i], digestOf(names[i].toUtf8()));
        }
    }
    // The same box gives the same ids on every connection.
    EXPECT_EQ(BoxUniqueIds::assign(names.mid(0, row.found.size()), row.found), ids);
}

INSTANTIATE_TEST_SUITE_P(Boxes, BoxUniqueIdsTest,
    ::testing::Values(Row { "distinct", { "m1@x", "m2@x", "20261206080000000" }, { "m1@x", "m2@x", "20261206080000000" } },
        Row { "same Message-ID twice: the first keeps it", { "list@x", "list@x", "list@x" }, { "list@x", "", "" } },
        Row { "CR LF from a file name", { "x\r\n+OK evil", "ok@x" }, { "", "ok@x" } },
        Row { "blank, 8-bit, empty", { "a b", "\xe3\x81\x82", "" }, { "", "", "" } },
        Row { "70 characters kept, 71 not", { QByteArray(70, 'x'), QByteArray(71, 'y') }, { QByteArray(70, 'x'), "" } },
        Row { "a header made to match another's digest", { "bad id", digestOf("a.ID") }, { "", digestOf("a.ID") } }),
    [](const ::testing::TestParamInfo<Row> &info) { return "Case" + std::to_string(info.index); });

} // namespace
} // namespace vesk::test
