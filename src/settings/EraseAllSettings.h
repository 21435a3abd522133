#pragma once

#include <QString>

namespace vesk {

class Messenger;
class SettingsStore;

enum class EraseResult { Erased, WrongPassword, SaveFailed };

// "全設定消去": when the typed password equals the provider password shown in
// the settings dialog, erases the sections Config, Plan, Disp, Luncher,
// Devide, Pelma and Temp in one save, then the secrets' keyring items (the
// caller then closes the main window, which ends the program). A wrong
// password erases nothing and says so; a failed save is reported too.
EraseResult eraseAllSettings(
    SettingsStore &store, const QString &typedPassword, const QString &shownPassword, Messenger &messenger);

} // namespace vesk
