#pragma once

#include <QString>

namespace vesk {

class Messenger;
class SettingsStore;

// The passwords of the settings dialog, plain while they are edited; kept
// apart from the other values because they are stored encoded, and in the
// keyring where one answers.
class SettingsSecrets final
{
public:
    // From the store; a stored password that cannot be decoded asks (with a
    // beep) for it to be typed again.
    void load(SettingsStore &store, Messenger &messenger);
    // Encoded into the store's entries (moved to the keyring when saving).
    void write(SettingsStore &store) const;

    // No keyring answers: the passwords are stored (encoded) in the file.
    bool passwordInFile() const { return m_passwordInFile; }

    // The provider password, plain.
    const QString &password() const { return m_password; }
    void setPassword(const QString &password) { m_password = password; }
    // The SMTP password, plain (empty: the provider's).
    const QString &smtpPassword() const { return m_smtpPassword; }
    void setSmtpPassword(const QString &password) { m_smtpPassword = password; }
    const QString &clientSecret() const { return m_clientSecret; }
    void setClientSecret(const QString &secret) { m_clientSecret = secret; }

private:
    QString m_password;
    QString m_smtpPassword;
    QString m_clientSecret;
    bool m_passwordInFile = true;
};

} // namespace vesk
