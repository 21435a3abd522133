#pragma once

#include <QString>

namespace vesk {

// The desktop's keyring (the freedesktop Secret Service) for the few secrets
// of the settings. An item is found by its key alone (the setting's name:
// Vesk keeps one account), so a new host or user name keeps finding it; the
// label tells the user in the keyring's own window whose it is.
//
// The calls wait for the service's answer: a locked keyring first asks the
// user through the desktop's own prompt. Where no service answers on the
// session bus they fail at once.
class SecretStore
{
public:
    enum class Status { Found, Missing, Unavailable };

    struct Item
    {
        QString key; // the setting's name
        QString account; // user@host, for the user's eyes
        QString label;
    };

    virtual ~SecretStore() = default;

    // A Secret Service answers on the session bus.
    virtual bool available() = 0;
    // Unavailable also where the user dismissed the unlock prompt.
    virtual Status read(const QString &key, QString *secret) = 0;
    // True once the service has stored it, replacing the key's item.
    virtual bool write(const Item &item, const QString &secret) = 0;
    // True when no item of the key is left.
    virtual bool remove(const QString &key) = 0;
};

} // namespace vesk
