#include "pelma/HandOver.h"

#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"

namespace vesk {
namespace {

const QString DateName = QStringLiteral("PelmaDate");
const QString CommentName = QStringLiteral("PelmaComm");

} // namespace

bool HandOver::put(SettingsStore &store, const QString &date, const QString &comment)
{
    SettingsStore::Batch batch(store);
    store.writeString(sections::Temp, DateName, date);
    store.writeString(sections::Temp, CommentName, comment);
    return batch.commit();
}

bool HandOver::waiting(SettingsStore &store)
{
    return store.contains(sections::Temp, CommentName);
}

HandOver HandOver::take(SettingsStore &store)
{
    HandOver handOver;
    handOver.present
        = store.contains(sections::Temp, CommentName) || store.contains(sections::Temp, DateName);
    if (!handOver.present)
        return handOver;
    handOver.date = store.readString(sections::Temp, DateName);
    handOver.comment = store.readString(sections::Temp, CommentName);
    SettingsStore::Batch batch(store);
    store.deleteValue(sections::Temp, DateName);
    store.deleteValue(sections::Temp, CommentName);
    return handOver;
}

} // namespace vesk
