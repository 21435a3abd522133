#include "VeskProcess.h"

#include "support/DovecotPeer.h"
#include "support/FreePort.h"
#include "support/RunProgram.h"
#include "support/SmtpSinkPeer.h"
#include "support/TestPaths.h"
#include "support/WaitFor.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryFile>

#include <csignal>
#include <gtest/gtest.h>
#include <random>

namespace vesk::test {
namespace {

QByteArray mail(int n)
{
    return QStringLiteral("From: Sender %1 <sender%1@example.jp>\r\nTo: taro@example.jp\r\n"
                          "Subject: message %1\r\nMessage-ID: <m%1@example.jp>\r\n\r\nbody %1\r\n.dot line\r\n")
        .arg(n)
        .toUtf8();
}

// Runs one of the mail-client scripts of the server tests, pumping the loop.
QByteArray runScript(const QString &script, const QStringList &args)
{
    return runProgram(systemPython(), QStringList{sourceDir() + "/tests/server/" + script} + args).out;
}

class HeadlessEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(pop.start(&error)) << error.toStdString();
        ASSERT_TRUE(smtp.start(QString(), &error)) << error.toStdString();
        pop3Port = freePort();
        smtpPort = freePort();
    }

    QString ini(const QString &extra = QString()) const
    {
        return QStringLiteral("[Config]\nServerON=1\nHost=127.0.0.1\nUserID=%1\nPassword=%2\n"
                              "POP3_ServerVesk=%3\nSMTP_ServerVesk=%4\nPOP3_VeskMailer1=%5\nSMTP_VeskMailer1=%6\n"
                              "FirstDelay=1\nRoundTime=20\n%7")
            .arg(pop.user(), pop.password())
            .arg(pop.port())
            .arg(smtp.port())
            .arg(pop3Port)
            .arg(smtpPort)
            .arg(extra);
    }

    void TearDown() override
    {
        if (vesk && vesk->state() != QProcess::NotRunning) {
            home.run({"--quit"});
            if (!vesk->waitForFinished(10000))
                vesk->kill();
        }
    }

    DovecotPeer pop;
    SmtpSinkPeer smtp;
    VeskHome home;
    quint16 pop3Port = 0;
    quint16 smtpPort = 0;
    std::unique_ptr<QProcess> vesk;
};

TEST_F(HeadlessEndToEnd, MailFlowsBothWaysWithNoWindow)
{
    for (int n = 1; n <= 3; ++n)
        ASSERT_TRUE(pop.addMessage(mail(n)));
    home.writeIni(ini("DebugWindow=1\n"));
    vesk = home.start({"--headless"});

    // The first check after FirstDelay collects the provider's mail.
    ASSERT_TRUE(waitFor([&] { return home.count("InBox") == 3 && pop.messageCount() == 0; }, 30000))
        << home.log().toStdString();
    // The protocol monitor goes to standard error, the password masked.
    EXPECT_TRUE(home.log().contains("PASS " + QString(pop.password().size(), '*'))) << home.log().toStdString();
    EXPECT_FALSE(home.log().contains(pop.password()));

    // The check has finished once the status counts the new mail.
    QString out;
    ASSERT_TRUE(
        waitFor([&] { return home.run({ "--status" }, &out) == 0 && out.contains("newmail: 3\n"); }, 30000))
        << out.toStdString();
    EXPECT_TRUE(out.contains("InBox: 3\n")) << out.toStdString();
    EXPECT_FALSE(out.contains("Mail ON")) << "the strip shows the clock: " << out.toStdString();
    EXPECT_TRUE(out.contains("OutBox: 0\n")) << out.toStdString();
    EXPECT_TRUE(QFile::exists(home.runtimeDir() + "/vesk/VeskTalked"));

    // A second copy (a user unit beside the desktop's, say) refuses to run
    // and names the copy that runs.
    QString err;
    EXPECT_EQ(home.run({"--headless"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("既に実行中です（プロセスID %1）").arg(vesk->processId())))
        << err.toStdString();

    // A mailer collects the mail from the local POP3 port and deletes it.
    const QByteArray listing = runScript(
        "pop3_client.py", {QString::number(pop3Port), pop.user(), pop.password(), "retr:1", "retr:3", "dele:1",
                           "dele:2", "dele:3", "quit"});
    const QJsonArray results = QJsonDocument::fromJson(listing).array();
    ASSERT_EQ(results.size(), 8) << listing.toStdString();
    EXPECT_TRUE(results[2].toString().contains("Subject: message 3")) << listing.toStdString();
    EXPECT_TRUE(results[2].toString().contains("\n.dot line")) << listing.toStdString();
    EXPECT_TRUE(waitFor([&] { return home.count("InBox") == 0; }, 10000));

    // A mailer sends through the local SMTP port; at its QUIT the mail goes out.
    QTemporaryFile message;
    ASSERT_TRUE(message.open());
    message.write("From: taro@example.jp\r\nTo: hanako@example.jp\r\nSubject: out\r\n\r\nhello\r\n");
    message.close();
    runScript("smtp_client.py",
              {QString::number(smtpPort), "taro@example.jp", "hanako@example.jp,jiro@example.jp", message.fileName()});
    ASSERT_TRUE(waitFor([&] { return smtp.received().size() == 1; }, 30000)) << home.log().toStdString();
    const auto sent = smtp.received().first();
    EXPECT_EQ(sent.mailFrom, "taro@example.jp");
    EXPECT_EQ(sent.rcptTos, (QStringList{"hanako@example.jp", "jiro@example.jp"}));
    EXPECT_TRUE(sent.data.contains("Subject: out"));
    EXPECT_FALSE(sent.data.contains("VeskFrom"));
    EXPECT_TRUE(waitFor([&] { return home.count("OutBox") == 0; }, 10000));

    // The end command ends the program cleanly and leaves the presence files.
    EXPECT_EQ(home.run({"--quit"}), 0);
    ASSERT_TRUE(vesk->waitForFinished(20000));
    EXPECT_EQ(vesk->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(home.runtimeDir() + "/vesk/vesk"));
    EXPECT_FALSE(QFile::exists(home.runtimeDir() + "/vesk/VeskTalked"));
    QFile iniFile(home.iniPath());
    ASSERT_TRUE(iniFile.open(QIODevice::ReadOnly));
    const QByteArray stored = iniFile.readAll();
    // The plain-text password was stored encoded at the first load.
    EXPECT_FALSE(stored.contains("Password=" + pop.password().toUtf8()));
    EXPECT_TRUE(stored.contains("LastTime="));
    EXPECT_EQ(home.run({"--status"}), 1);
}

TEST_F(HeadlessEndToEnd, ManuSendHoldsMailUntilACheck)
{
    home.writeIni(ini("ManuSend=1\n"));
    vesk = home.start({"--headless"});
    ASSERT_TRUE(waitFor([&] { return home.run({"--status"}) == 0; }, 20000)) << home.log().toStdString();

    QTemporaryFile message;
    ASSERT_TRUE(message.open());
    message.write("From: taro@example.jp\r\nTo: hanako@example.jp\r\nSubject: held\r\n\r\nhello\r\n");
    message.close();
    runScript("smtp_client.py", {QString::number(smtpPort), "taro@example.jp", "hanako@example.jp", message.fileName()});
    EXPECT_EQ(home.count("OutBox"), 1);
    pumpFor(1500);
    EXPECT_TRUE(smtp.received().isEmpty());

    QString out;
    EXPECT_EQ(home.run({"--check"}, &out), 0) << home.log().toStdString();
    EXPECT_EQ(smtp.received().size(), 1);
    EXPECT_EQ(home.count("OutBox"), 0);
    EXPECT_TRUE(out.contains("OutBox: 0")) << out.toStdString();
}

TEST_F(HeadlessEndToEnd, ACheckFromTheCommandLineRunsWhileAMailerIsConnected)
{
    ASSERT_TRUE(pop.addMessage(mail(1)));
    home.writeIni(ini("FirstDelay=59\n"));
    vesk = home.start({"--headless"});
    ASSERT_TRUE(waitFor([&] { return home.run({"--status"}) == 0; }, 20000)) << home.log().toStdString();
    QTcpSocket mailer;
    mailer.connectToHost(QHostAddress::LocalHost, pop3Port);
    ASSERT_TRUE(waitFor([&] { return mailer.canReadLine(); }, 10000));
    QString out;
    ASSERT_TRUE(waitFor([&] { return home.run({"--status"}, &out) == 0 && out.contains("marker: .\n"); }, 10000));
    EXPECT_EQ(home.run({"--check"}, &out), 0) << home.log().toStdString();
    EXPECT_EQ(home.count("InBox"), 1);
}

TEST_F(HeadlessEndToEnd, ACheckThatFailsSaysSo)
{
    pop.stop();
    home.writeIni(ini("FirstDelay=59\n"));
    vesk = home.start({"--headless"});
    ASSERT_TRUE(waitFor([&] { return home.run({"--status"}) == 0; }, 20000));
    QString out, err;
    EXPECT_EQ(home.run({"--check"}, &out, &err), 1);
    EXPECT_TRUE(err.contains("ConnectNG")) << err.toStdString();
    EXPECT_TRUE(out.contains("marker: x")) << out.toStdString();
}

TEST_F(HeadlessEndToEnd, TerminationSignalEndsLikeTheEndCommand)
{
    home.writeIni(ini("FirstDelay=59\n"));
    vesk = home.start({"--headless"});
    ASSERT_TRUE(waitFor([&] { return home.run({"--status"}) == 0; }, 20000)) << home.log().toStdString();
    EXPECT_TRUE(QFile::exists(home.runtimeDir() + "/vesk/vesk"));
    vesk->terminate();
    ASSERT_TRUE(waitFor([&] { return vesk->state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(vesk->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(vesk->exitCode(), 0);
    EXPECT_FALSE(QFile::exists(home.runtimeDir() + "/vesk/vesk"));
    QFile iniFile(home.iniPath());
    ASSERT_TRUE(iniFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(iniFile.readAll().contains("LastTime="));
}

TEST_F(HeadlessEndToEnd, RequestsWithoutARunningCopyFailClearly)
{
    QString err;
    EXPECT_EQ(home.run({"--check"}, nullptr, &err), 1);
    EXPECT_TRUE(err.contains("実行中のVeskがありません")) << err.toStdString();
}

TEST_F(HeadlessEndToEnd, ATakenPortIsReportedWithItsNumberAndText)
{
    home.writeIni(ini(QStringLiteral("POP3_VeskMailer1=%1\n").arg(pop.port())));
    vesk = home.start({"--headless"});
    ASSERT_TRUE(waitFor([&] { return home.log().contains(QString::number(pop.port())); }, 20000))
        << home.log().toStdString();
    EXPECT_TRUE(home.log().contains("WSAEADDRINUSE")) << home.log().toStdString();
}

TEST_F(HeadlessEndToEnd, KilledInTheMiddleOfADownloadLosesNothing)
{
    const int total = 150;
    for (int n = 1; n <= total; ++n)
        ASSERT_TRUE(pop.addMessage(mail(n)));
    home.writeIni(ini());
    vesk = home.start({"--headless"});
    ASSERT_TRUE(waitFor([&] { return home.count("InBox") >= 20; }, 60000)) << home.log().toStdString();
    ::kill(pid_t(vesk->processId()), SIGKILL);
    vesk->waitForFinished(5000);
    ASSERT_LT(home.count("InBox"), total);

    vesk = home.start({"--headless"});
    ASSERT_TRUE(waitFor([&] { return pop.messageCount() == 0; }, 120000)) << home.log().toStdString();
    EXPECT_EQ(home.run({"--quit"}), 0);
    vesk->waitForFinished(20000);

    // Every message is in the store; only the one in flight may be there twice.
    QMap<QString, int> seen;
    for (const QString &name : home.files("InBox")) {
        QFile file(home.dataDir() + "/InBox/" + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const auto match = QRegularExpression("Subject: message (\\d+)").match(QString::fromLatin1(file.readAll()));
        ASSERT_TRUE(match.hasMatch()) << name.toStdString();
        ++seen[match.captured(1)];
    }
    EXPECT_EQ(seen.size(), total);
    int twice = 0;
    for (int count : seen) {
        EXPECT_LE(count, 2);
        twice += count > 1;
    }
    EXPECT_LE(twice, 1);
}

// How often each message is in the in-box, by its number.
QMap<int, int> subjects(const VeskHome &home)
{
    QMap<int, int> seen;
    for (const QString &name : home.files("InBox")) {
        QFile file(home.dataDir() + "/InBox/" + name);
        if (file.open(QIODevice::ReadOnly))
            ++seen[QRegularExpression("Subject: message (\\d+)")
                       .match(QString::fromLatin1(file.readAll()))
                       .captured(1)
                       .toInt()];
    }
    return seen;
}

TEST_F(HeadlessEndToEnd, LeaveModeKeepsTheMailForOtherClientsUntilTheMailerDeletesIt)
{
    for (int n = 1; n <= 3; ++n)
        ASSERT_TRUE(pop.addMessage(mail(n)));
    home.writeIni(ini("LeaveOnServer=1\nDeleteWithMailer=1\n"));
    vesk = home.start({ "--headless" });
    QString out;
    ASSERT_TRUE(
        waitFor([&] { return home.run({ "--status" }, &out) == 0 && out.contains("kept: 3\n"); }, 30000))
        << home.log().toStdString();
    EXPECT_EQ(home.count("InBox"), 3);
    // Another client of the mailbox (a phone) still finds all of it.
    const QJsonArray phone = QJsonDocument::fromJson(
        runScript(
            "pop3_client.py", { QString::number(pop.port()), pop.user(), pop.password(), "stat", "quit" }))
                                 .array();
    EXPECT_EQ(phone.at(2).toArray().at(0).toInt(), 3);

    // The mailer deletes one through the local port: the next check deletes it at the provider.
    runScript("pop3_client.py", { QString::number(pop3Port), pop.user(), pop.password(), "dele:1", "quit" });
    ASSERT_TRUE(waitFor([&] { return home.count("InBox") == 2; }, 10000));
    EXPECT_EQ(home.run({ "--check" }, &out), 0) << home.log().toStdString();
    EXPECT_EQ(pop.messageCount(), 2);
    EXPECT_TRUE(out.contains("kept: 2\n")) << out.toStdString();

    // After a restart only the new message is stored.
    EXPECT_EQ(home.run({ "--quit" }), 0);
    ASSERT_TRUE(vesk->waitForFinished(20000));
    ASSERT_TRUE(pop.addMessage(mail(4)));
    vesk = home.start({ "--headless" });
    ASSERT_TRUE(
        waitFor([&] { return home.run({ "--status" }, &out) == 0 && out.contains("kept: 3\n"); }, 30000))
        << home.log().toStdString();
    EXPECT_EQ(home.count("InBox"), 3);
    EXPECT_EQ(pop.messageCount(), 3);
    // Message 3 came first, so it was the mailer's message 1.
    EXPECT_EQ(subjects(home).keys(), (QList<int> { 1, 2, 4 }));
}

// VESK_KILL_TRIALS sets how many kills (6 by default), VESK_KILL_SEED their moments.
TEST_F(HeadlessEndToEnd, KilledAtRandomMomentsOfAKeepModeDownloadStoresEachMessageOnce)
{
    const int total = 60;
    for (int n = 1; n <= total; ++n)
        ASSERT_TRUE(pop.addMessage(mail(n)));
    home.writeIni(ini("LeaveOnServer=1\n"));
    const int trials = qEnvironmentVariableIsSet("VESK_KILL_TRIALS")
        ? qEnvironmentVariableIntValue("VESK_KILL_TRIALS")
        : 6;
    std::mt19937 random(
        qEnvironmentVariableIsSet("VESK_KILL_SEED") ? qEnvironmentVariableIntValue("VESK_KILL_SEED") : 31);
    int kills = 0, beforeSave = 0, savedOnly = 0;
    for (int trial = 0; trial < trials && home.count("InBox") < total; ++trial) {
        const int before = home.count("InBox");
        vesk = home.start({ "--headless" });
        // The download runs: kill it somewhere within the next 1.5 s.
        if (!waitFor([&] { return home.count("InBox") > before; }, 30000))
            break;
        pumpFor(std::uniform_int_distribution(0, 1500)(random));
        // Every other kill the moment a message file appears: its id is not in the journal yet.
        const int seen = home.count("InBox");
        QElapsedTimer waited;
        waited.start();
        while (trial % 2 && home.count("InBox") == seen && waited.elapsed() < 5000)
            ;
        ::kill(pid_t(vesk->processId()), SIGKILL);
        vesk->waitForFinished(5000);
        ++kills;
        // Where it struck: between an id's two journal lines, the save inside.
        QFile journal(home.dataDir() + "/.download-journal");
        if (journal.open(QIODevice::ReadOnly)) {
            const QList<QByteArray> lines = journal.readAll().trimmed().split('\n');
            if (lines.last().contains(" + "))
                ++(QFile::exists(home.dataDir() + "/InBox/" + lines.last().split(' ').value(4)) ? savedOnly : beforeSave);
        }
    }
    vesk = home.start({ "--headless" });
    QString out;
    ASSERT_TRUE(waitFor(
        [&] {
            return home.run({ "--status" }, &out) == 0
                && out.contains(QStringLiteral("kept: %1\n").arg(total));
        },
        120000))
        << out.toStdString() << home.log().toStdString();
    const QMap<int, int> seen = subjects(home);
    EXPECT_EQ(seen.size(), total);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), total);
    EXPECT_EQ(home.count("InBox"), total);
    EXPECT_EQ(pop.messageCount(), total);
    std::printf("kill -9 trials: %d kills (%d before a save, %d after a save before its id), %d messages\n", kills,
        beforeSave, savedOnly, total);
}

} // namespace
} // namespace vesk::test
