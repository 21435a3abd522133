#include "RulesFixture.h"

#include "mail/CoreServices.h"
#include "mail/MailHost.h"
#include "mail/MailView.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "platform/EventPump.h"
#include "platform/Timer.h"
#include "server/LocalMailServer.h"
#include "session/ProviderSession.h"
#include "settings/IniSettingsStore.h"
#include "settings/RegRead.h"
#include "settings/SettingsSections.h"
#include "store/rules/Distributor.h"
#include "store/rules/RuleStorage.h"
#include "support/DovecotPeer.h"
#include "support/TestPaths.h"
#include "support/WaitFor.h"

#include <QProcess>

namespace vesk::test {
namespace {

// The controller's part: each downloaded message goes through the rules.
class DistributingHost final : public MailHost
{
public:
    explicit DistributingHost(Distributor &distributor)
        : m_distributor(distributor)
    { }
    Placement devideGo(const QString &fileName) override
    {
        const Box box = m_distributor.DevideGo(fileName);
        boxes << box;
        return { box, m_distributor.lastFileName() };
    }
    QList<Box> boxes;

private:
    Distributor &m_distributor;
};

// Every message a mailer retrieves from a local POP3 port, as Python's poplib
// gets it, one per output line in base64. Nothing is deleted.
const char *const Pop3Client = R"(
import base64, poplib, sys
box = poplib.POP3('127.0.0.1', int(sys.argv[1]), timeout=30)
box.user(sys.argv[2])
box.pass_(sys.argv[3])
count, size = box.stat()
for number in range(1, count + 1):
    response, lines, octets = box.retr(number)
    print(base64.b64encode(b'\n'.join(lines) + b'\n').decode('ascii'))
box.quit()
)";

class EndToEndTest : public RulesFixture
{
protected:
    // What the mailer on `port` is served; ok false when the client failed.
    QList<QByteArray> mailerSees(quint16 port, bool &ok)
    {
        QProcess client;
        client.start(systemPython(),
            { "-c", Pop3Client, QString::number(port), m_dovecot.user(), m_dovecot.password() });
        // The server runs on this thread: keep its events going while Python talks.
        ok = waitFor([&] { return client.state() == QProcess::NotRunning; }, 60000)
            && client.exitStatus() == QProcess::NormalExit && client.exitCode() == 0;
        EXPECT_TRUE(ok) << client.readAllStandardError().toStdString();
        QList<QByteArray> messages;
        for (const QByteArray &line : client.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty())
                messages << QByteArray::fromBase64(line);
        }
        return messages;
    }

    DovecotPeer m_dovecot;
};

TEST_F(EndToEndTest, DownloadedMailLandsInEachMailersBoxAndEachPortServesOnlyItsOwn)
{
    QString error;
    ASSERT_TRUE(m_dovecot.start(&error)) << error.toStdString();
    const QByteArray forTaro
        = message(encodedWord(QStringLiteral("山田 太郎")) + " <taro@example.jp>", "friend@example.org")
        + "for taro\r\n";
    const QByteArray forJiro = message("Jiro <jiro@example.jp>", "shop@example.com") + "for jiro\r\n";
    const QByteArray fromClub = message("family@example.jp", "Club <news@club.example.org>") + "club\r\n";
    const QByteArray unmatched = message("someone@example.jp", "x@example.net") + "nobody's\r\n";
    for (const QByteArray &content : { forTaro, forJiro, fromClub, unmatched })
        ASSERT_TRUE(m_dovecot.addMessage(content));

    // The rules as the settings dialog saved them, loaded as at start-up.
    IniSettingsStore settingsStore(m_dir.filePath("Vesk.ini"));
    settingsStore.writeBool(sections::Config, "MailRound", true);
    settingsStore.writeBool(sections::Config, "ServerON", true);
    settingsStore.writeBool(sections::Config, "DevideON", true);
    RuleLists saved;
    saved.list(1) = QStringList { QStringLiteral("太郎") };
    saved.list(2) = QStringList { "JIRO" };
    saved.list(4) = QStringList { "@club.example.org" };
    ASSERT_TRUE(rulestorage::save(settingsStore, saved));
    RecordingMessenger settingsMessenger;
    const Settings settings = RegRead(settingsStore, settingsMessenger);
    ASSERT_TRUE(settings.DevideON);

    Distributor distributor(m_store, RuleLists(settings.DevideList));
    DistributingHost host(distributor);
    SessionState state;
    ProtocolMonitor monitor;
    QStringList monitorLines;
    monitor.attach([&](const QString &line) { monitorLines << line; });

    SessionConfig sessionConfig;
    sessionConfig.Host = sessionConfig.SMTP = QStringLiteral("127.0.0.1");
    sessionConfig.UserID = m_dovecot.user();
    sessionConfig.Password = m_dovecot.password();
    sessionConfig.POP3_ServerVesk = m_dovecot.port();
    sessionConfig.ServerON = true;
    sessionConfig.DevideON = settings.DevideON;
    sessionConfig.RetrPauseMs = sessionConfig.SavedPauseMs = 0;
    MailView view;
    const CoreServices core { SystemClock::instance(), QtTimerFactory::instance(), QtEventPump::instance(), m_messenger,
        m_store, state, monitor };
    ProviderSession session(core, host, view);
    session.setConfig(sessionConfig);
    EXPECT_EQ(session.downLoad(), 4) << monitorLines.join('\n').toStdString();
    EXPECT_EQ(m_dovecot.messageCount(), 0);
    // Fetched from the highest number down.
    EXPECT_EQ(host.boxes, QList<Box>({ Box::InBox, Box::InBox2, Box::InBox2, Box::InBox1 }));
    EXPECT_EQ(listing(Box::InBox).size(), 1);
    EXPECT_EQ(listing(Box::InBox1).size(), 1);
    EXPECT_EQ(listing(Box::InBox2).size(), 2);

    ServerConfig serverConfig;
    serverConfig.UserID = m_dovecot.user();
    serverConfig.Password = m_dovecot.password();
    serverConfig.Host = QStringLiteral("127.0.0.1");
    serverConfig.DevideON = true;
    serverConfig.POP3_VeskMailer1 = serverConfig.POP3_VeskMailer2 = 0;
    serverConfig.SMTP_VeskMailer1 = serverConfig.SMTP_VeskMailer2 = 0;
    serverConfig.lookupPauseMs = 0;
    LocalMailServer servers(core, host, view);
    servers.setConfig(serverConfig);
    servers.startMailer1();
    servers.startMailer2();
    const quint16 mailer1 = servers.listeningPort(MailerPort::Pop3Mailer1);
    const quint16 mailer2 = servers.listeningPort(MailerPort::Pop3Mailer2);
    ASSERT_NE(mailer1, 0);
    ASSERT_NE(mailer2, 0);

    // poplib gives the lines without their CR.
    const auto asRead = [](QByteArray text) { return text.replace("\r\n", "\n"); };
    bool ok = false;
    EXPECT_EQ(mailerSees(mailer1, ok), QList<QByteArray> { asRead(forTaro) });
    ASSERT_TRUE(ok);
    EXPECT_EQ(mailerSees(mailer2, ok), (QList<QByteArray> { asRead(fromClub), asRead(forJiro) }));
    ASSERT_TRUE(ok);
    servers.stopAll();
    EXPECT_TRUE(m_messenger.messages.isEmpty()) << m_messenger.messages.join('\n').toStdString();
}

} // namespace
} // namespace vesk::test
