#include "JapaneseTestText.h"
#include "support/TestPaths.h"

#include "store/japanese/SjisDecoder.h"
#include "store/japanese/ToFromSub.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

// Header forms of today's Japanese mail, read through ToFromSub and compared
// with what Python's email library decodes from the same bytes.
namespace vesk {
namespace {

using test::encoded;
using namespace Qt::StringLiterals;

struct Form
{
    const char *name; // "From", "To" or "Subject"
    QByteArray raw;
    bool joined = false; // reference: decode_header's joined words, not policy.default
};

QByteArray bWord(const char *charset, const QByteArray &bytes)
{
    return "=?" + QByteArray(charset) + "?B?" + bytes.toBase64() + "?=";
}

QByteArray qWord(const char *charset, const QByteArray &bytes)
{
    QByteArray payload;
    for (char c : bytes) {
        if (c == ' ')
            payload += '_';
        else if (QChar::isLetterOrNumber(uchar(c)) && uchar(c) < 0x80)
            payload += c;
        else
            payload += '=' + QByteArray(1, c).toHex().toUpper();
    }
    return "=?" + QByteArray(charset) + "?Q?" + payload + "?=";
}

QByteArray utf8(const QString &text)
{
    return text.toUtf8();
}

QJsonArray referenceOf(const std::vector<Form> &forms)
{
    QJsonArray cases;
    for (const Form &form : forms) {
        cases.append(QJsonObject { { u"name"_s, QString::fromLatin1(form.name) },
            { u"raw"_s, QString::fromLatin1(form.raw.toBase64()) }, { u"joined"_s, form.joined } });
    }
    QProcess python;
    python.start(test::systemPython(), { test::sourceDir() + u"/tests/store/japanese/decode_headers.py"_s });
    python.write(QJsonDocument(cases).toJson());
    python.closeWriteChannel();
    EXPECT_TRUE(python.waitForFinished(60000)) << "the reference did not finish";
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

QByteArray fieldOf(const HeaderSummary &header, const char *name)
{
    const QByteArrayView n(name);
    return n == "From" ? header.from : n == "To" ? header.to : header.subject;
}

TEST(HeaderForms, DecodeAsPythonsEmailLibraryDoes)
{
    const QByteArray kaigi = utf8(u"会議"_s);
    const std::vector<Form> forms = {
        { "Subject", "=?utf-8?b?5Lya6K2w44Gu5Lu244Gr44Gk44GE44Gm4pGg?=" },
        { "From", "=?utf-8?b?5bGx55Sw5aSq6YOO?= <taro@example.jp>" },
        { "Subject", "=?utf-8?q?=E4=BC=9A=E8=AD=B0?=" },
        { "Subject", utf8(u"会議の件"_s) },
        { "From", utf8(u"山田 <y@example.jp>"_s) },
        { "Subject", "Re: " + bWord("utf-8", utf8(u"打ち合わせ"_s)) + utf8(u" 日程 ①"_s) },
        // Folded words, each its own charset, encoding and letter case.
        { "Subject",
            bWord("UTF-8", utf8(u"会議の件"_s)) + "\r\n " + qWord("Utf-8", utf8(u"（再送） "_s)) + "\r\n\t"
                + bWord("iso-2022-jp", encoded("ISO-2022-JP", u"〜資料−"_s)) + " "
                + qWord("ISO-2022-JP", encoded("ISO-2022-JP", u"送付"_s)) },
        { "Subject",
            bWord("shift_jis", encoded("SHIFT_JIS", u"ｶﾀｶﾅ・漢字"_s)) + " "
                + qWord("euc-jp", encoded("EUC-JP", u"日本語"_s)) },
        { "Subject", qWord("iso-8859-1", "Caf\xE9 \xA9") + " " + bWord("windows-1252", "\x93ok\x94") },
        { "Subject",
            bWord("gb2312", encoded("GB2312", u"中文"_s)) + " " + bWord("big5", encoded("BIG5", u"中文"_s)) + " "
                + bWord("euc-kr", encoded("EUC-KR", u"한국"_s)) },
        { "Subject", bWord("utf-8", utf8(u"休み🎉𠮷野家 ㈱髙"_s)) },
        { "To",
            bWord("utf-8", utf8(u"山田 太郎"_s)) + " <taro@example.jp>, " + qWord("utf-8", utf8(u"花子"_s))
                + " <hanako@example.jp>" },
        { "Subject", "=?utf-8*ja?b?" + kaigi.toBase64() + "?=" }, // RFC 2231 language
        { "Subject", "=?utf-8?b?5Lya6K2w\r\n 44Gu?=" }, // one word over a folded line
        // A character split over two words.
        { "Subject", bWord("utf-8", kaigi.first(4)) + " " + bWord("utf-8", kaigi.sliced(4)), true },
        { "Subject", bWord("ISO-2022-JP", encoded("ISO-2022-JP", u"件名"_s)) },
    };
    const QJsonArray reference = referenceOf(forms);
    ASSERT_EQ(reference.size(), qsizetype(forms.size()));
    SjisDecoder decoder;
    for (size_t i = 0; i < forms.size(); ++i) {
        const Form &form = forms[i];
        SCOPED_TRACE(form.raw.toStdString());
        const HeaderSummary header
            = ToFromSubText(QByteArray(form.name) + ": " + form.raw + "\r\n\r\nbody\r\n");
        EXPECT_EQ(decoder.toUnicode(fieldOf(header, form.name)).toStdString(),
            reference[qsizetype(i)].toString().toStdString());
    }
}

} // namespace
} // namespace vesk
