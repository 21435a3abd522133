#include "RuleMessages.h"

#include "session/ProviderSession.h"
#include "settings/IniSettingsStore.h"
#include "settings/RegRead.h"
#include "settings/SettingsSections.h"
#include "store/rules/Distributor.h"
#include "store/rules/RuleStorage.h"
#include "support/DovecotPeer.h"
#include "support/LiveServerFixture.h"

#include <QJsonArray>
#include <QJsonDocument>

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
        boxes << m_distributor.DevideGo(fileName);
        return { boxes.last(), m_distributor.lastFileName() };
    }
    QList<Box> boxes;

private:
    Distributor &m_distributor;
};

using EndToEndTest = LiveServerFixture;

TEST_F(EndToEndTest, DownloadedMailLandsInEachMailersBoxAndEachPortServesOnlyItsOwn)
{
    DovecotPeer dovecot(m_config.UserID, m_config.Password);
    QString error;
    ASSERT_TRUE(dovecot.start(&error)) << error.toStdString();
    const QByteArray forTaro
        = message(jisWord(QStringLiteral("山田 太郎")) + " <taro@example.jp>", "friend@example.org")
        + "taro\r\n";
    const QByteArray forJiro = message("Jiro <jiro@example.jp>", "shop@example.com") + "for jiro\r\n";
    const QByteArray fromClub = message("family@example.jp", "Club <news@club.example.org>") + "club\r\n";
    const QByteArray unmatched = message("someone@example.jp", "x@example.net") + "nobody's\r\n";
    for (const QByteArray &content : { forTaro, forJiro, fromClub, unmatched })
        ASSERT_TRUE(dovecot.addMessage(content));

    // The rules as the settings dialog saved them, loaded as at start-up.
    IniSettingsStore settingsStore(m_dir.filePath("Vesk.ini"));
    for (const char *name : { "MailRound", "ServerON", "DevideON" })
        settingsStore.writeBool(sections::Config, name, true);
    ASSERT_TRUE(rulestorage::save(settingsStore, rules({ "太郎" }, { "JIRO" }, {}, { "@club.example.org" })));
    const Settings settings = RegRead(settingsStore, m_messenger);
    Distributor distributor(m_store, RuleLists(settings.DevideList));
    DistributingHost host(distributor);

    SessionConfig sessionConfig;
    sessionConfig.Host = sessionConfig.SMTP = QStringLiteral("127.0.0.1");
    sessionConfig.UserID = dovecot.user();
    sessionConfig.Password = dovecot.password();
    sessionConfig.POP3_ServerVesk = dovecot.port();
    sessionConfig.ServerON = sessionConfig.DevideON = settings.DevideON;
    sessionConfig.RetrPauseMs = sessionConfig.SavedPauseMs = 0;
    const CoreServices core { m_clock, QtTimerFactory::instance(), QtEventPump::instance(), m_messenger,
        m_store, m_state, m_monitor };
    ProviderSession session(core, host, m_host);
    session.setConfig(sessionConfig);
    EXPECT_EQ(session.downLoad(), 4);
    EXPECT_EQ(dovecot.messageCount(), 0);
    // Fetched from the highest number down.
    EXPECT_EQ(host.boxes, QList<Box>({ Box::InBox, Box::InBox2, Box::InBox2, Box::InBox1 }));

    m_config.DevideON = true;
    m_server.setConfig(m_config);
    m_server.startMailer2();
    // What each mailer's poplib gets: the lines without their CR.
    const auto mailerSees = [&](MailerPort port, const QStringList &steps) {
        const ProgramResult result = python(QStringLiteral("pop3_client.py"),
            QStringList { QString::number(this->port(port)), "taro", "pa55word" } + steps);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QJsonArray got = QJsonDocument::fromJson(result.out).array();
        QStringList texts;
        for (qsizetype i = 2; i < got.size() - 1; ++i)
            texts << got[i].toString() + '\n';
        return texts;
    };
    const auto asRead = [](QByteArray text) { return QString::fromLatin1(text.replace("\r\n", "\n")); };
    EXPECT_EQ(mailerSees(MailerPort::Pop3Mailer1, { "retr:1", "quit" }), QStringList { asRead(forTaro) });
    EXPECT_EQ(mailerSees(MailerPort::Pop3Mailer2, { "retr:1", "retr:2", "quit" }),
        (QStringList { asRead(fromClub), asRead(forJiro) }));
    EXPECT_TRUE(m_messenger.messages.isEmpty()) << m_messenger.messages.join('\n').toStdString();
}

} // namespace
} // namespace vesk::test
