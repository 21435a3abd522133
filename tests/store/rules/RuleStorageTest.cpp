#include "settings/IniSettingsStore.h"
#include "settings/MemorySettingsStore.h"
#include "settings/RegRead.h"
#include "settings/SettingsSections.h"
#include "store/rules/RuleStorage.h"
#include "support/RecordingMessenger.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

RuleLists sample()
{
    RuleLists lists;
    lists.list(1) = QStringList { "Taro", "山田 太郎", "*" };
    lists.list(2) = QStringList { "X-WinBiff" };
    lists.list(3) = QStringList { " @club.example.org " };
    lists.list(4) = QStringList { "a=b; \"quoted\" ｱｲｳ" };
    return lists;
}

// What the main window uses after a restart: the lists RegRead loads.
RuleLists restarted(const QString &path, bool devideOn = true)
{
    IniSettingsStore store(path);
    store.writeBool(sections::Config, "MailRound", true);
    store.writeBool(sections::Config, "ServerON", true);
    store.writeBool(sections::Config, "DevideON", devideOn);
    RecordingMessenger messenger;
    return RuleLists(RegRead(store, messenger).DevideList);
}

TEST(RuleStorage, RulesSurviveASaveAndARestart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Vesk.ini");
    {
        IniSettingsStore store(path);
        QString error;
        ASSERT_TRUE(rulestorage::save(store, sample(), &error)) << qPrintable(error);
    }
    RuleLists expected = sample();
    expected.list(3) = QStringList { "@club.example.org" };
    EXPECT_EQ(restarted(path), expected);
    // Without two mailers the main window holds no rules, but the dialog sees them.
    EXPECT_TRUE(restarted(path, false).isEmpty());
    IniSettingsStore store(path);
    EXPECT_EQ(rulestorage::load(store), expected);
}

TEST(RuleStorage, SaveErasesTheSectionAndNumbersEachListFromItsOwnBase)
{
    MemorySettingsStore store;
    store.writeString(sections::Devide, "103", "old rule");
    store.writeString(sections::Devide, "999", "stray");
    ASSERT_TRUE(rulestorage::save(store, sample()));
    const QStringList expected { "101=Taro", "102=山田 太郎", "103=*", "201=X-WinBiff",
        "301=@club.example.org", "401=a=b; \"quoted\" ｱｲｳ" };
    EXPECT_EQ(store.readSection(sections::Devide), expected);
    // One save for the whole section.
    EXPECT_EQ(store.saveCount(), 3);
}

TEST(RuleStorage, HundredRulesFitAndTheHundredAndFirstIsRefusedWithoutWriting)
{
    MemorySettingsStore store;
    RuleLists lists;
    for (int i = 0; i < RuleLists::MaxRules; ++i)
        lists.list(1) << QStringLiteral("rule%1").arg(i);
    lists.list(2) << "mailer two";
    ASSERT_TRUE(rulestorage::save(store, lists));
    EXPECT_EQ(store.readString(sections::Devide, "200"), "rule99");
    EXPECT_EQ(rulestorage::load(store), lists);

    lists.list(1) << "rule100";
    QString error;
    EXPECT_FALSE(rulestorage::save(store, lists, &error));
    EXPECT_EQ(error, "振り分け文字列は各欄100個までです");
    EXPECT_EQ(store.readString(sections::Devide, "201"), "mailer two");
}

TEST(RuleStorage, FailedSaveIsReported)
{
    MemorySettingsStore store;
    store.failSaves("disk full");
    QString error;
    EXPECT_FALSE(rulestorage::save(store, sample(), &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace vesk::test
