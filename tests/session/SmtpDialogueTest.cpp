#include "JudgeFixture.h"

#include "session/OutBoxContents.h"

namespace vesk::test {
namespace {

class SmtpDialogue : public JudgeFixture
{
protected:
    void startUpload()
    {
        m_judge.beginUpload();
        talk({ { "220 smtp.example.jp ESMTP", { "HELO vesk-host" } }, { "250 hello", { "RSET" } } });
    }
};

TEST_F(SmtpDialogue, EveryRecipientThenTheTextAndTheFileGoesOnlyAfterTheFinalReply)
{
    put(Box::OutBox, "1.ID",
        "VeskFrom: <taro@example.jp>\r\nVeskTo: <a@example.jp>\r\nVeskTo: <b@example.jp>\r\n"
        "From: Taro <taro@example.jp>\r\n\r\n..dot\r\nbefore\r\n.\r\nafter\r\n");
    startUpload();
    // Envelope lines out, doubled dots kept as stored, a bare dot line doubled.
    talk({ { "250 reset", { "MAIL FROM: <taro@example.jp>" } }, { "250 ok", { "RCPT TO: <a@example.jp>" } },
        { "250 ok", { "RCPT TO: <b@example.jp>" } }, { "250 ok", { "DATA" } },
        { "354 go ahead", { "From: Taro <taro@example.jp>", "", "..dot", "before", "..", "after", "." } } });
    EXPECT_EQ(listing(Box::OutBox).size(), 1);
    talk({ { "250 queued", { "QUIT" } }, { "221 bye", {} } });
    EXPECT_TRUE(listing(Box::OutBox).isEmpty());
    EXPECT_EQ(m_state.marker, "");
    EXPECT_EQ(m_link.clientOffs, 1);
    EXPECT_EQ(m_host.modes, QList<int> { 6 });
}

// Each refusal ends the session with QUIT and leaves the file for later.
TEST_F(SmtpDialogue, ARefusedStepKeepsTheFile)
{
    const QByteArray file = "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\n\r\nRSET\r\n";
    const struct
    {
        const char *name;
        QByteArray content;
        Lines replies;
        const char *marker = "x";
    } rows[] = {
        { "recipient refused", file, { "250", "250", "550 no such user" } },
        // Text sent to a server that did not say 354 would be read as commands.
        { "no go-ahead", file, { "250", "250", "250", "250 not a go-ahead" } },
        // A 354 after the final "." is no acceptance: the text may still be refused.
        { "text not accepted", file, { "250", "250", "250", "354", "354 again" } },
        { "no envelope", "From: x@example.jp\r\n\r\nx\r\n", { "250" }, "." }, // not the provider's fault
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        put(Box::OutBox, "1.ID", row.content);
        m_state.marker = QStringLiteral(".");
        startUpload();
        for (const QByteArray &reply : row.replies)
            m_judge.judge(reply);
        EXPECT_EQ(m_link.take().last(), "QUIT");
        EXPECT_EQ(m_state.marker, row.marker);
        EXPECT_EQ(listing(Box::OutBox), QStringList { "1.ID" });
    }
    EXPECT_EQ(m_messenger.beeps, 1);
    EXPECT_EQ(m_messenger.messages,
        QStringList { "［送］の中にVeskの送信情報がないメールが存在します。\r"
                      "送受信箱でゴミ取りを行ってから再度送信してください。\r\n1.ID" });
}

// A file that can never be sent stays where it is, named to the user once,
// and the mail behind it still goes out, session after session.
TEST_F(SmtpDialogue, AnUnsendableFileIsPassedOverAndTheRestSent)
{
    put(Box::OutBox, "1.ID", "From: x@example.jp\r\n\r\nno envelope\r\n");
    for (int session = 0; session < 2; ++session) {
        put(Box::OutBox, "2.ID", "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\n\r\nx\r\n");
        m_state.marker = QStringLiteral(".");
        startUpload();
        talk({ { "250 reset", { "MAIL FROM: <t@example.jp>" } }, { "250", { "RCPT TO: <a@example.jp>" } },
            { "250", { "DATA" } }, { "354", { "", "x", "." } }, { "250 queued", { "QUIT" } }, { "221", {} } });
        EXPECT_EQ(listing(Box::OutBox), QStringList { "1.ID" });
        EXPECT_EQ(m_state.unsendable, 1);
        EXPECT_EQ(m_state.marker, "");
    }
    EXPECT_EQ(m_messenger.messages.size(), 1);
}

TEST_F(SmtpDialogue, ContinuationLinesOfAReplyWaitForItsLastLine)
{
    m_judge.beginUpload();
    talk({ { "220-smtp.example.jp first line", {} }, { "220-second line", {} },
        { "220 ready", { "HELO vesk-host" } } });
}

TEST_F(SmtpDialogue, ManyLinesGoOutInRoundsThatRestartTheWatchdog)
{
    QByteArray text = "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\n\r\n";
    for (int i = 0; i < 250; ++i)
        text += "line " + QByteArray::number(i) + "\r\n";
    put(Box::OutBox, "1.ID", text);
    startUpload();
    for (const char *reply : { "250", "250", "250" })
        m_judge.judge(reply);
    m_link.take();
    const int restarts = m_link.watchdogRestarts;
    m_judge.judge("354");
    const Lines lines = m_link.take();
    ASSERT_EQ(lines.size(), 252);
    EXPECT_EQ(lines.at(250), "line 249");
    EXPECT_EQ(m_link.watchdogRestarts - restarts, 3); // two rounds and the final "."
}

TEST(OutBoxContents, SenderFromTheFromHeaderAndUnusableEnvelopesRefused)
{
    const struct
    {
        QByteArray content;
        QByteArray sender; // "-": not sendable
    } rows[] = {
        { "VeskTo: <a@b>\r\nFrom: Hanako <h@example.jp>\r\n\r\nx\r\n", "h@example.jp" },
        { "VeskTo: <a@b>\r\n\r\nx\r\n", "" }, // an empty reverse path
        { "From: a@b\r\n\r\nx\r\n", "-" },
        { "VeskTo: < >\r\n\r\nx\r\n", "-" },
        { "", "-" },
        // An address that could carry a command.
        { "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp\nRCPT TO:evil>\r\n\r\nx\r\n", "-" },
    };
    for (const auto &[content, sender] : rows) {
        const OutBoxContents out = OutBoxContents::parse(QStringLiteral("1.ID"), content);
        if (sender == "-")
            EXPECT_EQ(out.problem, OutBoxContents::Problem::NoEnvelope) << content.constData();
        else
            EXPECT_EQ(out.sender, sender) << content.constData();
    }
}

} // namespace
} // namespace vesk::test
