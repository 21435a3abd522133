#include "store/rules/RuleStorage.h"
#include "RuleMessages.h"

#include "settings/IniSettingsStore.h"
#include "settings/RegRead.h"
#include "settings/SettingsSections.h"
#include "support/MemorySettingsStore.h"
#include "support/Printers.h"
#include "support/RecordingMessenger.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

const RuleLists Sample = rules(
    { "Taro", "山田 太郎", "*" }, { "X-WinBiff" }, { " @club.example.org " }, { "a=b; \"quoted\" ｱｲｳ" });

TEST(RuleStorage, RulesSurviveASaveAndARestartAsTheMainWindowLoadsThem)
{
    QTemporaryDir dir;
    IniSettingsStore store(dir.filePath("Vesk.ini"));
    store.writeString(sections::Devide, "103", "old rule");
    ASSERT_TRUE(rulestorage::save(store, Sample));
    for (const char *name : { "MailRound", "ServerON", "DevideON" })
        store.writeBool(sections::Config, name, true);
    RuleLists expected = Sample;
    expected.list(3) = QStringList { "@club.example.org" };
    IniSettingsStore restarted(dir.filePath("Vesk.ini"));
    RecordingMessenger messenger;
    EXPECT_EQ(RuleLists(RegRead(restarted, messenger).DevideList), expected);
    EXPECT_EQ(restarted.readSection(sections::Devide),
        QStringList({ "101=Taro", "102=山田 太郎", "103=*", "201=X-WinBiff", "301=@club.example.org",
            "401=a=b; \"quoted\" ｱｲｳ" }));
    // Without two mailers the main window holds no rules, but the dialog sees them.
    restarted.writeBool(sections::Config, "DevideON", false);
    EXPECT_TRUE(RuleLists(RegRead(restarted, messenger).DevideList).isEmpty());
    EXPECT_EQ(rulestorage::load(restarted), expected);
}

TEST(RuleStorage, AHundredRulesFitAndMoreOrAFailedSaveAreRefusedInOneSave)
{
    MemorySettingsStore store;
    RuleLists lists;
    for (int i = 0; i < RuleLists::MaxRules; ++i)
        lists.list(1) << QStringLiteral("rule%1").arg(i);
    lists.list(2) << "mailer two";
    ASSERT_TRUE(rulestorage::save(store, lists));
    EXPECT_EQ(store.saveCount(), 1);
    EXPECT_EQ(rulestorage::load(store), lists);
    lists.list(1) << "rule100";
    QString error;
    EXPECT_FALSE(rulestorage::save(store, lists, &error));
    EXPECT_EQ(error, "振り分け文字列は各欄100個までです");
    EXPECT_EQ(store.readString(sections::Devide, "201"), "mailer two");
    store.failSaves("disk full");
    EXPECT_FALSE(rulestorage::save(store, Sample, &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace vesk::test
