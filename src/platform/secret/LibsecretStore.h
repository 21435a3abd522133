#pragma once

#include "platform/SecretStore.h"

#include <QElapsedTimer>

namespace vesk {

// The Secret Service through libsecret (GNOME Keyring, KWallet, KeePassXC),
// items of the schema "jp.example.dorvane.vesk.Secret" with the attributes
// "setting" (the key) and "account".
//
// The calls are libsecret's blocking ones. The settings are read and written
// in one piece by callers that need the answer before they go on (loading
// the settings, the dialog's save), and an unlocked keyring answers in
// milliseconds; the price is that while a locked keyring's prompt is open
// the program waits for the user. Whether a service answers at all is asked
// first with a ping of a few seconds (which also starts an activatable one),
// so that a desktop without one never waits and a service that hangs costs
// those seconds once a minute, not libsecret's 25 per call.
class LibsecretStore final : public SecretStore
{
public:
    bool available() override;
    Status read(const QString &key, QString *secret) override;
    bool write(const Item &item, const QString &secret) override;
    bool remove(const QString &key) override;

private:
    // Set when a ping went unanswered: the service counts as away for a while.
    QElapsedTimer m_silentSince;
};

} // namespace vesk
