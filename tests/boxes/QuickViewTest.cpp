#include "BoxFixture.h"

#include "boxes/BodyDecoder.h"
#include "boxes/ChoimiText.h"
#include "boxes/QuickViewModel.h"

namespace vesk::test {
namespace {

using namespace Qt::StringLiterals;

const QString Text = u"こんにちは、山田です。"_s;

QByteArray single(const QByteArray &contentHeaders, const QByteArray &body)
{
    return "VeskFrom: <me@example.jp>\r\nVeskTo: <you@example.jp>\r\nFrom: a@example.jp\r\nSubject: "
        + jisWord(u"件名"_s) + "\r\n" + contentHeaders + "\r\n" + body;
}

TEST(ChoimiTextTest, JapaneseBodiesReadAsText)
{
    struct Case
    {
        const char *name;
        QByteArray message;
    };
    const QByteArray utf8 = Text.toUtf8();
    const Case cases[] = {
        { "ISO-2022-JP", single("Content-Type: text/plain; charset=ISO-2022-JP\r\n", jis(Text) + "\r\n") },
        { "Shift_JIS", single("Content-Type: text/plain; charset=\"Shift_JIS\"\r\n", sjis(Text) + "\r\n") },
        { "EUC-JP", single("Content-Type: text/plain;\r\n charset=euc-jp\r\n", euc(Text) + "\r\n") },
        { "no charset, EUC-JP", single("", euc(Text) + "\r\n") },
        { "UTF-8 base64",
            single("Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: base64\r\n",
                utf8.toBase64().insert(8, "\r\n") + "\r\n") },
        { "UTF-8 quoted-printable, soft break",
            single(
                "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: Quoted-Printable\r\n",
                [&] {
                    QByteArray qp;
                    for (int i = 0; i < utf8.size(); ++i)
                        qp += "=" + utf8.mid(i, 1).toHex().toUpper() + (i == 10 ? "=\r\n" : "");
                    return qp + "\r\n";
                }()) },
        { "unlabelled UTF-8", single("", utf8 + "\r\n") },
    };
    BodyDecoder decoder;
    for (const Case &c : cases) {
        const ChoimiText shown = ChoimiText::fromMessage(c.message, 10, decoder);
        EXPECT_EQ(shown.body, QStringList { Text }) << c.name;
        EXPECT_FALSE(shown.header.join('\n').contains(u"Vesk"_s)) << c.name;
        EXPECT_TRUE(shown.header.contains(u"Subject: 件名"_s)) << c.name;
    }
}

TEST(ChoimiTextTest, GyouLinesAndTheMarkOnlyWhenMoreFollows)
{
    BodyDecoder decoder;
    const ChoimiText exact = ChoimiText::fromMessage(single("", "1\r\n2\r\n3\r\n"), 3, decoder);
    EXPECT_EQ(exact.body, (QStringList { u"1"_s, u"2"_s, u"3"_s }));
    const ChoimiText longer = ChoimiText::fromMessage(single("", "1\r\n2\r\n3\r\n4\r\n"), 3, decoder);
    EXPECT_EQ(longer.body, (QStringList { u"1"_s, u"2"_s, u"3"_s, ChoimiMore, ChoimiMore }));
}

TEST(ChoimiTextTest, MultipartShowsItsFirstPlainPartAndHtmlOnlyItsRawLines)
{
    const QByteArray multipart = single("Content-Type: multipart/mixed; boundary=\"xyz\"\r\n",
        "preamble\r\n--xyz\r\nContent-Type: text/plain; charset=ISO-2022-JP\r\nContent-Transfer-Encoding: "
        "7bit\r\n\r\n"
            + jis(Text)
            + "\r\n\r\n--xyz\r\nContent-Type: application/octet-stream\r\n\r\nAAAA\r\n--xyz--\r\n");
    BodyDecoder decoder;
    EXPECT_EQ(ChoimiText::fromMessage(multipart, 20, decoder).body,
        (QStringList { ChoimiPreamble, ChoimiRule, u""_s, u"Content-Type: text/plain; charset=ISO-2022-JP"_s,
            u"Content-Transfer-Encoding: 7bit"_s, u""_s, Text, u""_s }));
    // The lines before the part count: two of four are left for the part.
    EXPECT_EQ(ChoimiText::fromMessage(multipart, 4, decoder).body,
        (QStringList { ChoimiPreamble, ChoimiRule, u""_s, u"Content-Type: text/plain; charset=ISO-2022-JP"_s,
            u"Content-Transfer-Encoding: 7bit"_s, ChoimiMore, ChoimiMore }));

    const QByteArray html
        = single("Content-Type: text/html; charset=iso-2022-jp\r\n", "<p>" + jis(Text) + "</p>\r\n");
    EXPECT_EQ(ChoimiText::fromMessage(html, 10, decoder).body, QStringList { u"<p>"_s + Text + u"</p>"_s });
}

class QuickViewTest : public BoxFixture
{
protected:
    QuickViewModel view { window, commands, m_messenger, trash, m_timers };
};

TEST_F(QuickViewTest, LaunchPasswordRefusesTheMailersBoxOnly)
{
    host.config.DevideON = true;
    host.config.MailPassword = u"ab"_s;
    host.config.Gyou = 10;
    put(Box::InBox1, u"20261206080000001.ID"_s, mail(u"山田"_s, u"一"_s, jis(Text) + "\r\n"));
    put(Box::InBox, u"20261206080000002.ID"_s, mail(u"山田"_s, u"二"_s, jis(Text) + "\r\n"));
    window.shown();
    window.setCurrent(Grid::Receive1, 0);
    view.choimi();
    EXPECT_TRUE(view.bodyLines().isEmpty());
    EXPECT_EQ(m_messenger.messages.size(), 1);

    window.setCurrent(Grid::Receive, 0);
    view.choimi();
    EXPECT_EQ(view.caption(), u"Veskちょい見 ： 二"_s);
    EXPECT_EQ(view.bodyLines(), QStringList { Text });
    EXPECT_EQ(view.otherParty(), u"山田 <from@example.jp>"_s);
}

TEST_F(QuickViewTest, ABurstOfStepsShowsTheFirstAndTheLastRow)
{
    for (int i = 0; i < 5; ++i)
        put(Box::InBox, u"2026120608000000%1.ID"_s.arg(i), mail(u"山田"_s, QString::number(i)));
    window.shown();
    window.setCurrent(Grid::Receive, 0);
    int shown = 0;
    QObject::connect(&view, &QuickViewModel::changed, [&] { ++shown; });
    view.stepDown();
    EXPECT_EQ(view.caption(), u"Veskちょい見 ： 1"_s);
    view.stepDown();
    view.stepDown();
    EXPECT_EQ(shown, 1) << "the steps inside the burst are not shown";
    m_timers.advance(QuickViewModel::BurstMs);
    EXPECT_EQ(view.caption(), u"Veskちょい見 ： 3"_s);
    EXPECT_EQ(shown, 2);
    view.stepDown();
    view.stepDown();
    EXPECT_EQ(m_messenger.beeps, 1) << "no row after the last";
}

TEST_F(QuickViewTest, EraseRefusesWhenTheListChangedUnderTheView)
{
    put(Box::InBox, u"20261206080000001.ID"_s, mail(u"b"_s, u"一"_s));
    put(Box::InBox, u"20261206080000002.ID"_s, mail(u"a"_s, u"二"_s));
    window.shown();
    view.erase();
    EXPECT_EQ(m_messenger.messages.last(),
        u"「ちょい見」から削除するときは、メールを表示してから削除して下さい。"_s);

    window.setCurrent(Grid::Receive, 0);
    view.choimi();
    list(Grid::Receive).sort(1);
    view.erase();
    EXPECT_EQ(m_messenger.messages.last(), u"削除対象メールが存在しません"_s);
    EXPECT_TRUE(exists(Box::InBox, u"20261206080000001.ID"_s));

    view.choimi();
    view.erase();
    EXPECT_FALSE(exists(Box::InBox, u"20261206080000002.ID"_s));
    EXPECT_EQ(list(Grid::Receive).fileNames(), QStringList { u"20261206080000001.ID"_s });
}

} // namespace
} // namespace vesk::test
