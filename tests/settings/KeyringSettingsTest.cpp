#include "settings/EraseAllSettings.h"
#include "settings/PasswordCodec.h"
#include "settings/RegRead.h"
#include "settings/SettingsTable.h"
#include "support/FakeSecretStore.h"
#include "support/MemorySettingsStore.h"
#include "support/Printers.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

const QString Marker = SettingsTable::KeyringMarker;

class KeyringSettingsTest : public ::testing::Test
{
protected:
    KeyringSettingsTest()
    {
        m_store.setSecrets(&m_keyring);
        set("Host", "pop.example.jp");
        set("UserID", "taro");
    }
    void set(const char *name, const QString &value) { m_store.writeString("Config", name, value); }
    QString stored(const char *name) { return m_store.readString("Config", name); }
    Settings read() { return RegRead(m_store, m_messenger); }

    FakeSecretStore m_keyring;
    MemorySettingsStore m_store;
    RecordingMessenger m_messenger;
};

// Where the secret ends up after one write of "pw", by how the keyring answers.
TEST_F(KeyringSettingsTest, AWriteGoesToTheKeyringOnlyOnceItConfirms)
{
    struct Case
    {
        const char *name;
        bool answers;
        bool refuses;
        QString file;
        QString inKeyring;
    };
    const QString encoded = PasswordCodec::encode("pw");
    for (const Case &c : {
             Case { "keyring", true, false, Marker, "pw" },
             Case { "prompt dismissed", true, true, encoded, "" },
             Case { "no keyring", false, false, encoded, "" },
         }) {
        SCOPED_TRACE(c.name);
        m_keyring.items.clear();
        m_keyring.answers = c.answers;
        m_keyring.refusesWrites = c.refuses;
        SettingsTable::setValue(m_store, &Settings::Password, encoded);
        EXPECT_EQ(stored("Password"), c.file);
        EXPECT_EQ(m_keyring.secret("Password"), c.inKeyring);
        m_keyring.answers = true;
        EXPECT_EQ(read().Password, "pw");
    }
}

// Each item is labelled with its account as stored. It belongs to the
// setting, not to the host: a new host or user keeps the password, and the
// next save relabels the one item.
TEST_F(KeyringSettingsTest, ItemsAreLabelledWithTheirAccountAndFollowIt)
{
    set("SMTP", "smtp.example.jp");
    for (auto field : { &Settings::Password, &Settings::SMTP_Password, &Settings::OAuth_RefreshToken })
        SettingsTable::setValue(m_store, field, PasswordCodec::encode("pw"));
    EXPECT_EQ(m_keyring.label("Password"), "Vesk: POP3 パスワード (taro@pop.example.jp)");
    EXPECT_EQ(m_keyring.label("SMTP_Password"), "Vesk: SMTP パスワード (taro@smtp.example.jp)");
    EXPECT_EQ(
        m_keyring.label("OAuth_RefreshToken"), "Vesk: OAuth リフレッシュトークン (taro@pop.example.jp)");

    set("Host", "pop3.example.com");
    set("UserID", "hanako");
    EXPECT_EQ(read().Password, "pw");
    SettingsTable::setValue(m_store, &Settings::Password, PasswordCodec::encode("pw"));
    EXPECT_EQ(m_keyring.items.size(), 3u);
    EXPECT_EQ(m_keyring.label("Password"), "Vesk: POP3 パスワード (hanako@pop3.example.com)");
}

// A marker whose item cannot be had: an empty password and one message per
// secret, however often the settings are read; a save with the keyring away
// keeps the marker for a later start.
TEST_F(KeyringSettingsTest, AMarkerWithoutItsItemIsToldOnce)
{
    for (bool answers : { true, false }) {
        SCOPED_TRACE(answers);
        MemorySettingsStore store;
        store.setSecrets(&m_keyring);
        m_keyring.items.clear();
        m_keyring.answers = answers;
        store.writeString("Config", "Password", Marker);
        RecordingMessenger messenger;
        EXPECT_EQ(RegRead(store, messenger).Password, "");
        EXPECT_EQ(RegRead(store, messenger).Password, "");
        ASSERT_EQ(messenger.messages.size(), 1);
        EXPECT_TRUE(messenger.messages[0].contains(answers ? "ありません" : "開けない"))
            << messenger.messages[0].toStdString();
        SettingsTable::setValue(store, &Settings::Password, QString());
        EXPECT_EQ(store.readString("Config", "Password"), answers ? "" : Marker);
    }
}

TEST_F(KeyringSettingsTest, TheFirstSaveMovesWhatTheFileHolds)
{
    set("Password", PasswordCodec::encode("pop"));
    set("SMTP_Password", "plain-smtp"); // left by an older version
    set("OAuth_RefreshToken", PasswordCodec::encode("token"));
    m_keyring.refusesWrites = true;
    SettingsTable::moveSecrets(m_store);
    EXPECT_EQ(stored("Password"), PasswordCodec::encode("pop")); // never lost
    m_keyring.refusesWrites = false;
    SettingsTable::moveSecrets(m_store);
    for (const char *name : { "Password", "SMTP_Password", "OAuth_RefreshToken" })
        EXPECT_EQ(stored(name), Marker) << name;
    const Settings settings = read();
    EXPECT_EQ(QStringList({ settings.Password, settings.SMTP_Password, settings.OAuth_RefreshToken }),
        QStringList({ "pop", "plain-smtp", "token" }));
}

TEST_F(KeyringSettingsTest, EraseAllRemovesTheItemsToo)
{
    SettingsTable::setValue(m_store, &Settings::Password, PasswordCodec::encode("pw"));
    EXPECT_EQ(eraseAllSettings(m_store, "wrong", "pw", m_messenger), EraseResult::WrongPassword);
    EXPECT_EQ(m_keyring.items.size(), 1u);
    EXPECT_EQ(eraseAllSettings(m_store, "pw", "pw", m_messenger), EraseResult::Erased);
    EXPECT_TRUE(m_keyring.items.empty());
    EXPECT_FALSE(m_store.contains("Config", "Password"));
}

} // namespace
} // namespace vesk::test
