#include "settings/EraseAllSettings.h"
#include "settings/MemorySettingsStore.h"
#include "settings/SettingsSections.h"
#include "support/Printers.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(EraseAllSettingsTest, OnlyTheRightPasswordErasesTheSevenSectionsInOneSave)
{
    MemorySettingsStore store;
    for (const QString &section : sections::all())
        store.writeString(section, "x", "1");
    store.writeString("Other", "x", "1");
    RecordingMessenger messenger;
    EXPECT_EQ(eraseAllSettings(store, "pW", "pw", messenger), EraseResult::WrongPassword);
    EXPECT_EQ(messenger.messages, QStringList("パスワードが違いますので、設定の消去は中断しました。"));
    EXPECT_EQ(store.readSection(sections::all().first()), QStringList("x=1"));
    const int saves = store.saveCount();
    EXPECT_EQ(eraseAllSettings(store, "pw", "pw", messenger), EraseResult::Erased);
    for (const QString &section : sections::all())
        EXPECT_TRUE(store.readSection(section).isEmpty()) << section.toStdString();
    EXPECT_EQ(store.readString("Other", "x"), "1");
    EXPECT_EQ(store.saveCount(), saves + 1);
    store.writeString("Config", "x", "1");
    store.failSaves("保存できません");
    EXPECT_EQ(eraseAllSettings(store, "", "", messenger), EraseResult::SaveFailed);
    EXPECT_EQ(messenger.messages.last(), "保存できません");
}

} // namespace vesk::test
