#include "settings/EraseAllSettings.h"

#include "platform/Messenger.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

namespace vesk {

EraseResult eraseAllSettings(
    SettingsStore &store, const QString &typedPassword, const QString &shownPassword, Messenger &messenger)
{
    if (typedPassword != shownPassword) {
        messenger.message(QStringLiteral("パスワードが違いますので、設定の消去は中断しました。"));
        return EraseResult::WrongPassword;
    }
    SettingsStore::Batch batch(store);
    for (const QString &section : sections::all())
        store.eraseSection(section);
    if (batch.commit()) {
        // After the file: a file that could not be saved keeps its markers.
        SettingsTable::removeSecrets(store);
        return EraseResult::Erased;
    }
    messenger.message(store.errorText());
    return EraseResult::SaveFailed;
}

} // namespace vesk
