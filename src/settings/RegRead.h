#pragma once

#include "settings/Settings.h"

namespace vesk {

class Messenger;
class SettingsStore;

// What RegRead needs to know besides the store.
struct RegReadInput
{
    // The in-memory last-arrival text; a stored LastTime replaces it only when
    // greater as a string.
    QString lastTime = QStringLiteral("0/0 0:00");
    // "Pelma.exe" (the sticky-note program) is present.
    bool pelmaExists = false;
};

// Loads all settings (Config, Disp, Devide, Luncher) and applies the
// dependency rules. Writes to the store only to re-encode a password that an
// older version stored in plain text. Tells the user, through `messenger`,
// about a password that cannot be decoded or that the keyring does not give,
// a dial-up set-up without an access point, and a settings file that cannot
// be read or saved.
Settings RegRead(SettingsStore &store, Messenger &messenger, const RegReadInput &input = {});

// The in-memory consequences of switched-off features, in their order:
// hidden mode, MailRound, ServerON, DevideON, DialMode 0 (LAN).
void applyDependencyRules(Settings &settings);

// The four distribution lists of section Devide: a value whose name begins
// with a number 101-200 goes to list 1, ... 401-500 to list 4; its text is
// trimmed and empty texts are dropped.
std::array<QStringList, 4> readDevideLists(SettingsStore &store);

} // namespace vesk
