#include "settings/EraseAllSettings.h"
#include "settings/MemorySettingsStore.h"
#include "settings/SettingsSections.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

void fill(SettingsStore &store)
{
    for (const QString &section : sections::all())
        store.writeString(section, "x", "1");
    store.writeString("Other", "x", "1");
}

} // namespace

TEST(EraseAllSettingsTest, RightPasswordErasesTheSevenSectionsInOneSave)
{
    MemorySettingsStore store;
    fill(store);
    RecordingMessenger messenger;
    const int saves = store.saveCount();
    EXPECT_EQ(eraseAllSettings(store, "pw", "pw", messenger), EraseResult::Erased);
    for (const QString &section : sections::all())
        EXPECT_TRUE(store.readSection(section).isEmpty()) << section.toStdString();
    EXPECT_EQ(store.readString("Other", "x"), "1");
    EXPECT_EQ(store.saveCount(), saves + 1);
    EXPECT_TRUE(messenger.messages.isEmpty());
}

TEST(EraseAllSettingsTest, WrongPasswordErasesNothing)
{
    MemorySettingsStore store;
    fill(store);
    RecordingMessenger messenger;
    EXPECT_EQ(eraseAllSettings(store, "pW", "pw", messenger), EraseResult::WrongPassword);
    EXPECT_EQ(messenger.messages, QStringList("パスワードが違いますので、設定の消去は中断しました。"));
    for (const QString &section : sections::all())
        EXPECT_EQ(store.readString(section, "x"), "1");
}

TEST(EraseAllSettingsTest, FailedSaveIsReported)
{
    MemorySettingsStore store;
    fill(store);
    store.failSaves("保存できません");
    RecordingMessenger messenger;
    EXPECT_EQ(eraseAllSettings(store, "", "", messenger), EraseResult::SaveFailed);
    EXPECT_EQ(messenger.messages, QStringList("保存できません"));
}

} // namespace vesk::test
