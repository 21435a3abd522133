#include "boxes/HeaderRead.h"
#include "store/MessageStore.h"
#include "store/japanese/HeaderBlock.h"
#include "store/japanese/JCode.h"
#include "store/japanese/SjisDecoder.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Mail made by Python's email library, read back through the box list rows
// and compared with what Python's codecs decode.
namespace vesk {
namespace {

using namespace Qt::StringLiterals;

QString withoutSpace(const QString &text)
{
    return text.simplified().remove(u' ');
}

class PythonCrossCheck : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        ASSERT_TRUE(s_dir->isValid());
        QProcess python;
        python.start(test::systemPython(),
            { test::sourceDir() + u"/tests/store/japanese/gen_messages.py"_s, u"--out"_s, s_dir->path(),
                u"--seed"_s, u"20261205"_s, u"--count"_s, u"50"_s });
        ASSERT_TRUE(python.waitForFinished(120000)) << "the generator did not finish";
        ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
        QFile file(s_dir->filePath(u"expected.json"_s));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        s_expected = new QJsonArray(QJsonDocument::fromJson(file.readAll()).array());
    }

    static void TearDownTestSuite()
    {
        delete s_expected;
        delete s_dir;
        s_expected = nullptr;
        s_dir = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(s_expected, nullptr);
        ASSERT_GT(s_expected->size(), 50); // and the fixed header forms
    }

    static QTemporaryDir *s_dir;
    static QJsonArray *s_expected;
};

QTemporaryDir *PythonCrossCheck::s_dir = nullptr;
QJsonArray *PythonCrossCheck::s_expected = nullptr;

TEST_F(PythonCrossCheck, BoxListRowsShowWhatPythonDecodes)
{
    const MessageStore store(s_dir->path());
    QHash<QString, BoxListRow> rows;
    for (Box box : { Box::InBox, Box::OutBox }) {
        for (const BoxListRow &row : HeaderRead(store, box))
            rows.insert(row.fileName, row);
    }
    ASSERT_EQ(rows.size(), s_expected->size());

    int guarded = 0, utf8 = 0, forms = 0, byEmailLibrary = 0;
    for (const QJsonValue &value : *s_expected) {
        const QJsonObject m = value.toObject();
        const QString name = m["file"_L1].toString();
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(rows.contains(name));
        const BoxListRow &row = rows[name];

        EXPECT_EQ(row.otherParty, m["other"_L1].toString());
        EXPECT_EQ(withoutSpace(row.otherParty), withoutSpace(m["other_email"_L1].toString()));

        QStringList names;
        for (const QJsonValue &n : m["own_names"_L1].toArray())
            names << n.toString();
        EXPECT_TRUE(row.ownName.startsWith(u' '));
        EXPECT_EQ(withoutSpace(row.ownName), withoutSpace(names.join(u',')));

        const QString subject = m["subject"_L1].toString();
        EXPECT_EQ(row.subject, subject);
        if (m["subject_email"_L1].isString()) {
            EXPECT_EQ(withoutSpace(row.subject), withoutSpace(m["subject_email"_L1].toString()));
            ++byEmailLibrary;
        }
        guarded += subject == u"....."_s;
        utf8 += m["utf8"_L1].toBool();
        forms += m["form"_L1].toBool();

        EXPECT_EQ(row.kindMark, m["kind"_L1].toString());
    }
    // The seeded set covers the special cases.
    EXPECT_GT(guarded, 0);
    EXPECT_GT(utf8, 10);
    EXPECT_GT(forms, 10);
    EXPECT_GT(byEmailLibrary, 30);
}

TEST_F(PythonCrossCheck, BodiesInThreeCodesConvertToWhatPythonDecodes)
{
    const MessageStore store(s_dir->path());
    SjisDecoder decoder;
    QHash<QString, int> perCharset;
    for (const QJsonValue &value : *s_expected) {
        const QJsonObject m = value.toObject();
        if (!m["body_charset"_L1].isString())
            continue;
        const QString name = m["file"_L1].toString();
        SCOPED_TRACE(name.toStdString());
        const Box box = m["box"_L1].toString() == u"OutBox"_s ? Box::OutBox : Box::InBox;
        const QByteArray message = store.read(box, name);
        const qsizetype bodyStart = endOfHeader(message);
        ASSERT_GT(bodyStart, 0);
        const QByteArray body = message.mid(bodyStart);
        const QString shown = decoder.toUnicode(JCodeConvert(body, JCodeSjis));
        EXPECT_EQ(shown, m["body"_L1].toString());
        ++perCharset[m["body_charset"_L1].toString()];
    }
    EXPECT_GT(perCharset.value(u"iso-2022-jp"_s), 0);
    EXPECT_GT(perCharset.value(u"euc-jp"_s), 0);
    EXPECT_GT(perCharset.value(u"shift_jis"_s), 0);
}

} // namespace
} // namespace vesk
