#include "settings/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace vesk::test {

TEST(SettingsStoreTest, MissingOrNonDecimalValuesGiveTheDefault)
{
    MemorySettingsStore store;
    EXPECT_EQ(store.readInteger("Config", "RoundTime", 20), 20);
    EXPECT_EQ(store.readString("Config", "Host", "none"), "none");
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
}

TEST(SettingsStoreTest, SectionLinesComeInStoreOrder)
{
    MemorySettingsStore store;
    store.writeString("Devide", "301", "b");
    store.writeString("Devide", "101", "a=1");
    store.writeString("Devide", "301", "c"); // changed in place
    EXPECT_EQ(store.readSection("Devide"), QStringList({ "301=c", "101=a=1" }));
    EXPECT_TRUE(store.readSection("Plan").isEmpty());

    EXPECT_TRUE(store.deleteValue("Devide", "301"));
    EXPECT_EQ(store.readSection("Devide"), QStringList({ "101=a=1" }));
    store.writeString("Devide", "301", "d"); // a new value goes to the end
    EXPECT_EQ(store.readSection("Devide"), QStringList({ "101=a=1", "301=d" }));

    EXPECT_TRUE(store.eraseSection("Devide"));
    EXPECT_TRUE(store.readSection("Devide").isEmpty());
    EXPECT_FALSE(store.contains("Devide", "101"));
}

TEST(SettingsStoreTest, ABatchSavesOnceAndALoneWriteAtOnce)
{
    MemorySettingsStore store;
    store.writeInteger("Disp", "MainTop", 5);
    EXPECT_EQ(store.saveCount(), 1);
    store.writeInteger("Disp", "MainTop", 5); // nothing changed, nothing to save
    EXPECT_EQ(store.saveCount(), 1);
    {
        SettingsStore::Batch outer(store);
        for (int i = 0; i < 70; ++i) {
            SettingsStore::Batch inner(store);
            store.writeInteger("Config", QStringLiteral("Value%1").arg(i), i);
        }
        EXPECT_EQ(store.saveCount(), 1);
    }
    EXPECT_EQ(store.saveCount(), 2);
}

TEST(SettingsStoreTest, AFailedSaveKeepsTheValuesAndIsRetried)
{
    MemorySettingsStore store;
    store.failSaves("disk full");
    EXPECT_FALSE(store.writeString("Config", "Host", "pop.example.jp"));
    EXPECT_EQ(store.errorText(), "disk full");
    EXPECT_TRUE(store.hasUnsavedChanges());
    EXPECT_EQ(store.readString("Config", "Host"), "pop.example.jp");

    SettingsStore::Batch batch(store);
    store.writeString("Config", "UserID", "me");
    EXPECT_FALSE(batch.commit());

    store.failSaves({});
    EXPECT_TRUE(store.flush());
    EXPECT_TRUE(store.errorText().isEmpty());
    EXPECT_FALSE(store.hasUnsavedChanges());
    EXPECT_EQ(store.saveCount(), 1);
}

TEST(SettingsStoreTest, SectionNamesAFileCannotHoldAreRefused)
{
    MemorySettingsStore store;
    EXPECT_FALSE(store.writeString("Con]fig", "a", "b"));
    EXPECT_TRUE(store.readSection("Con]fig").isEmpty());
}

} // namespace vesk::test
