#include "JudgeFixture.h"

namespace vesk::test {

using Lines = QList<QByteArray>;

class SmtpDialogue : public JudgeFixture
{
protected:
    void startUpload()
    {
        m_judge.beginUpload();
        m_link.restartWatchdog();
        reply("220 smtp.example.jp ESMTP");
        reply("250 hello");
        EXPECT_EQ(sent(), (Lines { "HELO vesk-host", "RSET" }));
    }
};

TEST_F(SmtpDialogue, ThreeRecipientsThenDataAndTheFileIsDeletedOnlyAfterTheFinalReply)
{
    putOut(QStringLiteral("2026120609000000001.ID"),
        "VeskFrom: <taro@example.jp>\r\nVeskTo: <a@example.jp>\r\nVeskTo: <b@example.jp>\r\n"
        "VeskTo: <c@example.jp>\r\nFrom: Taro <taro@example.jp>\r\nSubject: hi\r\n\r\n..dot\r\nbody\r\n");
    startUpload();
    reply("250 reset");
    EXPECT_EQ(sent(), Lines { "MAIL FROM: <taro@example.jp>" });
    reply("250 ok");
    EXPECT_EQ(sent(), Lines { "RCPT TO: <a@example.jp>" });
    reply("250 ok");
    EXPECT_EQ(sent(), Lines { "RCPT TO: <b@example.jp>" });
    reply("250 ok");
    EXPECT_EQ(sent(), Lines { "RCPT TO: <c@example.jp>" });
    reply("250 ok");
    EXPECT_EQ(sent(), Lines { "DATA" });
    reply("354 go ahead");
    // Envelope lines out, doubled dots kept as stored.
    EXPECT_EQ(sent(), (Lines { "From: Taro <taro@example.jp>", "Subject: hi", "", "..dot", "body", "." }));
    EXPECT_EQ(outBox().size(), 1);
    reply("250 queued");
    EXPECT_TRUE(outBox().isEmpty());
    EXPECT_EQ(sent(), Lines { "QUIT" });
    reply("221 bye");
    EXPECT_EQ(m_state.marker, QString());
    EXPECT_EQ(m_link.clientOffs, 1);
    EXPECT_EQ(m_host.modes, QList<int> { 6 });
}

TEST_F(SmtpDialogue, WithoutVeskFromTheFromHeaderGivesTheSender)
{
    putOut(QStringLiteral("1.ID"), "VeskTo: <a@example.jp>\r\nfrom: Hanako <hanako@example.jp>\r\n\r\nx\r\n");
    startUpload();
    reply("250");
    EXPECT_EQ(sent(), Lines { "MAIL FROM: <hanako@example.jp>" });
}

TEST_F(SmtpDialogue, TwoFilesInOneConnectionWithRsetBetween)
{
    putOut(QStringLiteral("1.ID"), "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\n\r\none\r\n");
    putOut(QStringLiteral("2.ID"), "VeskFrom: <t@example.jp>\r\nVeskTo: <b@example.jp>\r\n\r\ntwo\r\n");
    startUpload();
    for (const char *recipient : { "a@example.jp", "b@example.jp" }) {
        reply("250");
        EXPECT_EQ(sent(), Lines { "MAIL FROM: <t@example.jp>" });
        reply("250");
        EXPECT_EQ(sent(), Lines { "RCPT TO: <" + QByteArray(recipient) + ">" });
        reply("250");
        EXPECT_EQ(sent(), Lines { "DATA" });
        reply("354");
        sent();
        reply("250");
        if (QByteArray(recipient) == "a@example.jp") {
            EXPECT_EQ(sent(), Lines { "RSET" });
        }
    }
    EXPECT_EQ(sent(), Lines { "QUIT" });
    reply("221");
    EXPECT_TRUE(outBox().isEmpty());
    EXPECT_EQ(m_state.marker, QString());
}

TEST_F(SmtpDialogue, AFileWithoutRecipientsStopsWithTheMessageAndStays)
{
    putOut(QStringLiteral("1.ID"), "From: x@example.jp\r\nSubject: no envelope\r\n\r\nx\r\n");
    startUpload();
    reply("250");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    EXPECT_EQ(m_messenger.beeps, 1);
    EXPECT_EQ(m_messenger.messages,
        QStringList { QStringLiteral("［送］の中にVeskの送信情報がないメールが存在します。\r"
                                     "送受信箱でゴミ取りを行ってから再度送信してください。") });
    reply("221");
    EXPECT_EQ(outBox().size(), 1);
}

TEST_F(SmtpDialogue, ARejectedRecipientLeavesTheFile)
{
    putOut(QStringLiteral("1.ID"),
        "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\nVeskTo: <bad@example.jp>\r\n\r\nx\r\n");
    startUpload();
    reply("250");
    reply("250");
    reply("250");
    EXPECT_EQ(sent(),
        (Lines { "MAIL FROM: <t@example.jp>", "RCPT TO: <a@example.jp>", "RCPT TO: <bad@example.jp>" }));
    reply("550 no such user");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(outBox().size(), 1);
}

// A 354 after the final "." is no acceptance: the text may still be refused.
TEST_F(SmtpDialogue, OnlyTwoHundredFiftyAfterTheTextDeletesTheFile)
{
    putOut(QStringLiteral("1.ID"), "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\n\r\nx\r\n");
    startUpload();
    reply("250");
    reply("250");
    reply("250");
    reply("354");
    sent();
    reply("354 again");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    EXPECT_EQ(m_state.marker, QStringLiteral("x"));
    EXPECT_EQ(outBox().size(), 1);
}

// Text sent to a server that did not say 354 would be read as commands.
TEST_F(SmtpDialogue, TheTextGoesOutOnlyAfterThreeFiftyFour)
{
    putOut(QStringLiteral("1.ID"), "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\n\r\nRSET\r\n");
    startUpload();
    reply("250");
    reply("250");
    reply("250");
    sent();
    reply("250 not a go-ahead");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    EXPECT_EQ(outBox().size(), 1);
}

TEST_F(SmtpDialogue, ContinuationLinesOfAReplyWaitForItsLastLine)
{
    m_judge.beginUpload();
    reply("220-smtp.example.jp first line");
    reply("220-second line");
    EXPECT_TRUE(sent().isEmpty());
    reply("220 ready");
    EXPECT_EQ(sent(), Lines { "HELO vesk-host" });
}

TEST_F(SmtpDialogue, ABareDotLineCannotEndTheTextEarly)
{
    putOut(QStringLiteral("1.ID"),
        "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\n\r\nbefore\r\n.\r\nafter\r\n");
    startUpload();
    reply("250");
    reply("250");
    reply("250");
    sent();
    reply("354");
    EXPECT_EQ(sent(), (Lines { "", "before", "..", "after", "." }));
}

TEST_F(SmtpDialogue, AnAddressThatCouldCarryACommandIsRefused)
{
    putOut(QStringLiteral("1.ID"),
        "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp\nRCPT TO:evil>\r\n\r\nx\r\n");
    startUpload();
    reply("250");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    EXPECT_EQ(m_messenger.messages.size(), 1);
    EXPECT_EQ(outBox().size(), 1);
}

TEST_F(SmtpDialogue, AnEmptyOutBoxQuits)
{
    startUpload();
    reply("250");
    EXPECT_EQ(sent(), Lines { "QUIT" });
    reply("250");
    EXPECT_EQ(m_state.marker, QString());
}

TEST_F(SmtpDialogue, ManyLinesGoOutInRoundsThatRestartTheWatchdog)
{
    QByteArray text = "VeskFrom: <t@example.jp>\r\nVeskTo: <a@example.jp>\r\n\r\n";
    for (int i = 0; i < 250; ++i)
        text += "line " + QByteArray::number(i) + "\r\n";
    putOut(QStringLiteral("1.ID"), text);
    startUpload();
    reply("250");
    reply("250");
    reply("250");
    sent();
    const int restarts = m_link.watchdogRestarts;
    reply("354");
    const Lines lines = sent();
    ASSERT_EQ(lines.size(), 252);
    EXPECT_EQ(lines.at(250), "line 249");
    EXPECT_EQ(m_link.watchdogRestarts - restarts, 3); // two rounds and the final "."
}

} // namespace vesk::test
