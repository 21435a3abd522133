#include "extras/settings/SettingsDialogModel.h"
#include "platform/Paths.h"
#include "platform/secret/LibsecretStore.h"
#include "settings/IniSettingsStore.h"
#include "settings/PasswordCodec.h"
#include "settings/RegRead.h"
#include "settings/SettingsTable.h"
#include "support/NoDialUpEntries.h"
#include "support/Printers.h"
#include "support/RecordingMessenger.h"

#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

// Run by with-keyring.sh, which says in VESK_KEYRING_MODE what answers on
// the session bus: "keyring" (GNOME Keyring), "noservice" or "nobus".
namespace vesk::test {
namespace {

bool withKeyring()
{
    return qEnvironmentVariable("VESK_KEYRING_MODE") == u"keyring";
}

// What the user sees of Vesk's items in the keyring's own window.
QString keyringListing()
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start("secret-tool", { "search", "--all", "xdg:schema", "jp.example.dorvane.vesk.Secret" });
    tool.waitForFinished(30000);
    return QString::fromUtf8(tool.readAll());
}

// The files under `folder` that hold any of `texts`, as grep finds them.
QString filesHolding(const QString &folder, const QStringList &texts)
{
    QStringList arguments { "-r", "-l", "-F" };
    for (const QString &text : texts)
        arguments << "-e" << text;
    QProcess grep;
    grep.start("grep", arguments << folder);
    grep.waitForFinished(30000);
    return QString::fromUtf8(grep.readAllStandardOutput());
}

// Kept by the test's own home, which with-keyring.sh removes.
class KeyringTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("VESK_KEYRING_MODE"))
            GTEST_SKIP() << "run through with-keyring.sh";
        QFile::remove(paths::settingsFile());
        ASSERT_TRUE(QDir().mkpath(paths::dataDir()));
    }

    LibsecretStore m_keyring;
    RecordingMessenger m_messenger;
    NoDialUpEntries m_dialUp;
};

TEST_F(KeyringTest, OneLabelledItemPerSettingWhateverTheAccount)
{
    if (!withKeyring())
        GTEST_SKIP();
    ASSERT_TRUE(m_keyring.available());
    ASSERT_TRUE(m_keyring.write(
        { "Password", "taro@pop.example.jp", "Vesk: POP3 パスワード (taro@pop.example.jp)" }, "one"));
    ASSERT_TRUE(m_keyring.write(
        { "Password", "hanako@mail.example.com", "Vesk: POP3 パスワード (hanako@mail.example.com)" }, "two"));
    QString secret;
    EXPECT_EQ(m_keyring.read("Password", &secret), SecretStore::Status::Found);
    EXPECT_EQ(secret, "two");
    const QString listing = keyringListing();
    EXPECT_EQ(listing.count("label = "), 1) << listing.toStdString();
    EXPECT_TRUE(listing.contains("label = Vesk: POP3 パスワード (hanako@mail.example.com)"))
        << listing.toStdString();
    EXPECT_TRUE(listing.contains("attribute.account = hanako@mail.example.com")) << listing.toStdString();
    EXPECT_TRUE(m_keyring.remove("Password"));
    EXPECT_EQ(m_keyring.read("Password", &secret), SecretStore::Status::Missing);
}

// A file that an earlier version wrote, opened and saved with the dialog:
// with a keyring no file of the home holds the passwords any more, in any
// form, and the program reads them back. Without one the file keeps them
// encoded, as before.
TEST_F(KeyringTest, TheDialogsSaveLeavesNoPasswordInAnyFile)
{
    const QString password = QStringLiteral("Kagi-Himitsu-7391");
    const QString smtpPassword = QStringLiteral("Smtp-Himitsu-5512");
    {
        IniSettingsStore file(paths::settingsFile());
        file.writeString("Config", "Host", "pop.example.jp");
        file.writeString("Config", "UserID", "taro");
        file.writeString("Config", "MailRound", "1");
        file.writeString("Config", "Password", PasswordCodec::encode(password));
    }
    IniSettingsStore file(paths::settingsFile());
    file.setSecrets(&m_keyring);
    SettingsDialogModel dialog(m_messenger, m_dialUp);
    dialog.load(file);
    EXPECT_EQ(dialog.secrets().passwordInFile(), !withKeyring());
    EXPECT_EQ(dialog.secrets().password(), password);
    dialog.secrets().setSmtpPassword(smtpPassword);
    ASSERT_EQ(dialog.save(file, paths::dataDir()), SettingsDialogModel::SaveResult::Saved);

    const QStringList traces { password, smtpPassword, PasswordCodec::encode(password).mid(2),
        PasswordCodec::encode(smtpPassword).mid(2) };
    EXPECT_EQ(
        filesHolding(QDir::homePath(), traces), withKeyring() ? QString() : paths::settingsFile() + "\n");

    IniSettingsStore again(paths::settingsFile());
    again.setSecrets(&m_keyring);
    const Settings settings = RegRead(again, m_messenger);
    EXPECT_EQ(settings.Password, password);
    EXPECT_EQ(settings.SMTP_Password, smtpPassword);
    EXPECT_EQ(m_messenger.messages, QStringList());
}

// The user dismissed the unlock prompt (here: no prompt can be shown): the
// password is not missing but unreadable for now, and a save of the empty
// field that followed keeps it in the keyring.
TEST_F(KeyringTest, ALockedKeyringKeepsWhatItCannotGive)
{
    if (!withKeyring())
        GTEST_SKIP();
    IniSettingsStore file(paths::settingsFile());
    file.setSecrets(&m_keyring);
    file.writeString("Config", "Password", PasswordCodec::encode("pw"));
    SettingsTable::moveSecrets(file);
    ASSERT_EQ(file.readString("Config", "Password"), SettingsTable::KeyringMarker);
    QDBusInterface service(
        "org.freedesktop.secrets", "/org/freedesktop/secrets", "org.freedesktop.Secret.Service");
    ASSERT_TRUE(service
                    .call("Lock",
                        QVariant::fromValue(QList<QDBusObjectPath> {
                            QDBusObjectPath("/org/freedesktop/secrets/collection/login") }))
                    .errorMessage()
                    .isEmpty());

    EXPECT_EQ(RegRead(file, m_messenger).Password, "");
    EXPECT_EQ(
        m_messenger.messages, QStringList { "キーリングを開けないため、「POP3 パスワード」を読めません。" });
    SettingsDialogModel dialog(m_messenger, m_dialUp);
    dialog.load(file);
    ASSERT_EQ(dialog.save(file, paths::dataDir()), SettingsDialogModel::SaveResult::Saved);
    EXPECT_EQ(file.readString("Config", "Password"), SettingsTable::KeyringMarker);
    EXPECT_TRUE(keyringListing().contains("label = ")) << keyringListing().toStdString();
}

} // namespace
} // namespace vesk::test
