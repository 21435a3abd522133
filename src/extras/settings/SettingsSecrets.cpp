#include "extras/settings/SettingsSecrets.h"

#include "platform/Messenger.h"
#include "platform/SecretStore.h"
#include "settings/PasswordCodec.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

namespace vesk {
namespace {

QString loadPassword(SettingsStore &store, QString Settings::*field, Messenger &messenger)
{
    const QString stored = SettingsTable::value(store, field);
    const std::optional<QString> decoded = PasswordCodec::decode(stored);
    if (!stored.isEmpty() && !decoded) {
        messenger.beep();
        messenger.message(QStringLiteral("パスワードを再入力してください"));
    }
    return stored.isEmpty() ? QString() : decoded.value_or(stored);
}

} // namespace

void SettingsSecrets::load(SettingsStore &store, Messenger &messenger)
{
    m_passwordInFile = !store.secrets() || !store.secrets()->available();
    m_password = loadPassword(store, &Settings::Password, messenger);
    m_smtpPassword = loadPassword(store, &Settings::SMTP_Password, messenger);
    m_clientSecret = loadPassword(store, &Settings::OAuth_ClientSecret, messenger);
}

void SettingsSecrets::write(SettingsStore &store) const
{
    SettingsTable::setValue(store, &Settings::Password, PasswordCodec::encode(m_password));
    SettingsTable::setValue(store, &Settings::SMTP_Password, PasswordCodec::encode(m_smtpPassword));
    SettingsTable::setValue(store, &Settings::OAuth_ClientSecret, PasswordCodec::encode(m_clientSecret));
}

} // namespace vesk
