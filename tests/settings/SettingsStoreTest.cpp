#include "settings/EraseAllSettings.h"
#include "settings/SettingsSections.h"
#include "support/MemorySettingsStore.h"
#include "support/Printers.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(SettingsStoreTest, MissingOrNonDecimalValuesGiveTheDefault)
{
    MemorySettingsStore store;
    EXPECT_EQ(store.readInteger("Config", "RoundTime", 20), 20);
    for (const char *text : { "", "abc", "12abc", " 12", "$1F", "1.5", "99999999999" }) {
        store.writeString("Config", "RoundTime", QString::fromLatin1(text));
        EXPECT_EQ(store.readInteger("Config", "RoundTime", 20), 20) << text;
    }
    store.writeString("Config", "RoundTime", "-15");
    EXPECT_EQ(store.readInteger("Config", "RoundTime", 20), -15);
    store.writeString("Config", "ServerON", "2");
    EXPECT_TRUE(store.readBool("Config", "ServerON", false));
    store.writeBool("Config", "ServerON", true);
    EXPECT_EQ(store.readString("Config", "ServerON"), "1");
    EXPECT_FALSE(store.writeString("Con]fig", "a", "b"));
}

TEST(SettingsStoreTest, SectionLinesComeInStoreOrder)
{
    MemorySettingsStore store;
    store.writeString("Devide", "301", "b");
    store.writeString("Devide", "101", "a=1");
    store.writeString("Devide", "301", "c"); // changed in place
    EXPECT_EQ(store.readSection("Devide"), QStringList({ "301=c", "101=a=1" }));
    EXPECT_TRUE(store.deleteValue("Devide", "301"));
    store.writeString("Devide", "301", "d"); // a new value goes to the end
    EXPECT_EQ(store.readSection("Devide"), QStringList({ "101=a=1", "301=d" }));
    EXPECT_TRUE(store.eraseSection("Devide"));
    EXPECT_TRUE(store.readSection("Devide").isEmpty());
}

TEST(SettingsStoreTest, ABatchSavesOnceAndAFailedSaveKeepsTheValuesForTheNext)
{
    MemorySettingsStore store;
    store.writeInteger("Disp", "MainTop", 5);
    store.writeInteger("Disp", "MainTop", 5); // nothing changed, nothing to save
    {
        SettingsStore::Batch outer(store);
        for (int i = 0; i < 70; ++i) {
            SettingsStore::Batch inner(store);
            store.writeInteger("Config", QStringLiteral("Value%1").arg(i), i);
        }
        EXPECT_EQ(store.saveCount(), 1);
    }
    EXPECT_EQ(store.saveCount(), 2);
    store.failSaves("disk full");
    EXPECT_FALSE(store.writeString("Config", "Host", "pop.example.jp"));
    EXPECT_EQ(store.errorText(), "disk full");
    EXPECT_EQ(store.readString("Config", "Host"), "pop.example.jp");
    store.failSaves({});
    EXPECT_TRUE(store.flush());
    EXPECT_FALSE(store.hasUnsavedChanges());
    EXPECT_EQ(store.saveCount(), 3);
}

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
