#include "settings/MemorySettingsStore.h"
#include "settings/RegRead.h"
#include "settings/SettingsTable.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

const QString ApMissing = QStringLiteral("「各種設定／接続方法／接続AP名」を入れないと接続できません。");

class RegReadTest : public ::testing::Test
{
protected:
    Settings read(const RegReadInput &input = {}) { return RegRead(m_store, m_messenger, input); }
    void set(const char *section, const char *name, const QString &value)
    {
        m_store.writeString(QString::fromLatin1(section), QString::fromLatin1(name), value);
    }

    MemorySettingsStore m_store;
    RecordingMessenger m_messenger;
};

} // namespace

TEST_F(RegReadTest, FreshStoreChecksMailButLacksAnAccount)
{
    const Settings settings = read();
    EXPECT_TRUE(settings.MailRound);
    EXPECT_TRUE(settings.RoundGo);
    EXPECT_EQ(settings.RoundTime, 20);
    EXPECT_TRUE(settings.Host.isEmpty());
    EXPECT_FALSE(settings.AccountComplete);
    EXPECT_FALSE(settings.ServerON);
    EXPECT_FALSE(settings.HiddenMode);
    EXPECT_EQ(settings.OverTimeMs, 300000);
    EXPECT_EQ(settings.LastTime, "0/0 0:00");
    EXPECT_EQ(settings.FontColor, colors::clCaptionText);
    EXPECT_EQ(settings.WeekColor1.toText(), "$000080FF");
    EXPECT_TRUE(m_messenger.messages.isEmpty());
    EXPECT_EQ(m_store.saveCount(), 0); // reading alone writes nothing
}

TEST_F(RegReadTest, TableDefaultsMatchAFreshSettingsValue)
{
    const Settings fresh;
    for (const auto *table : { &SettingsTable::config(), &SettingsTable::disp() }) {
        for (const SettingEntry &entry : *table)
            EXPECT_EQ(SettingsTable::text(fresh, entry), QString::fromUtf8(entry.defaultText)) << entry.name;
    }
    EXPECT_EQ(SettingsTable::config().size(), 85u);
    EXPECT_EQ(SettingsTable::disp().size(), 47u);
}

TEST_F(RegReadTest, EveryTableValueIsReadIntoItsField)
{
    // Store a non-default text for every value, then expect each back.
    Settings changed;
    for (const auto *table : { &SettingsTable::config(), &SettingsTable::disp() }) {
        for (const SettingEntry &entry : *table) {
            QString text;
            switch (entry.type()) {
            case SettingType::Bool:
                text = QString::fromUtf8(entry.defaultText) == "1" ? "0" : "1";
                break;
            case SettingType::Int:
                text = QString::number(QString::fromUtf8(entry.defaultText).toInt() + 7);
                break;
            case SettingType::String:
                text = QStringLiteral("v-%1").arg(QString::fromLatin1(entry.name));
                break;
            case SettingType::Color:
                text = "$00123456";
                break;
            }
            set(entry.section, entry.name, text);
        }
    }
    set("Config", "Password", "..414243");
    set("Config", "SMTP_Password", "..58595A");
    set("Config", "DialMode", "1"); // keeps the dial-up values as stored
    set("Config", "MailRound", "1");
    set("Config", "ServerON", "1");
    set("Config", "DevideON", "1");
    set("Disp", "LastTime", "9/99 99:99");
    const Settings settings = read();
    for (const auto *table : { &SettingsTable::config(), &SettingsTable::disp() }) {
        for (const SettingEntry &entry : *table) {
            const QString name = QString::fromLatin1(entry.name);
            if (name == "Password" || name == "SMTP_Password")
                continue;
            EXPECT_EQ(SettingsTable::text(settings, entry), m_store.readString(entry.section, name))
                << entry.name;
        }
    }
    EXPECT_EQ(settings.Password, "ABC");
    EXPECT_EQ(settings.SMTP_Password, "XYZ");
}

TEST_F(RegReadTest, SmtpDefaultsToHostAndAccountNeedsAllThree)
{
    set("Config", "Host", "pop.example.jp");
    Settings settings = read();
    EXPECT_EQ(settings.SMTP, "pop.example.jp");
    EXPECT_FALSE(settings.AccountComplete);

    set("Config", "UserID", "me");
    settings = read();
    EXPECT_TRUE(settings.AccountComplete);

    set("Config", "SMTP", "");
    settings = read();
    EXPECT_TRUE(settings.SMTP.isEmpty());
    EXPECT_FALSE(settings.AccountComplete);
}

TEST_F(RegReadTest, PlainTextPasswordIsUsedAndStoredEncoded)
{
    set("Config", "Password", "secret");
    const Settings settings = read();
    EXPECT_EQ(settings.Password, "secret");
    EXPECT_EQ(m_store.readString("Config", "Password"), "..736563726574");
    EXPECT_TRUE(m_messenger.messages.isEmpty());
    EXPECT_EQ(read().Password, "secret");
}

TEST_F(RegReadTest, UndecodablePasswordAsksForItAgain)
{
    set("Config", "Password", "..4X41");
    const Settings settings = read();
    EXPECT_EQ(settings.Password, "..4X41");
    EXPECT_EQ(m_messenger.messages, QStringList("パスワードを再入力してください"));
    EXPECT_EQ(m_store.readString("Config", "Password"), "..4X41");
}

TEST_F(RegReadTest, MailRoundOffSwitchesTheServerFunctionOffInMemoryOnly)
{
    for (const char *name : { "ServerON", "AutoOpen", "WithCheck", "MacroSend", "RoundGo", "DoublePass",
             "Apop", "DevideON", "ManuSend", "SendPause", "DirectCheck", "AutoDevideDisp", "AutoOpen2" })
        set("Config", name, "1");
    set("Config", "MailRound", "0");
    set("Config", "Mailer2", "/usr/bin/mailer2");
    const Settings settings = read();
    EXPECT_FALSE(settings.ServerON);
    EXPECT_FALSE(settings.AutoOpen);
    EXPECT_FALSE(settings.WithCheck);
    EXPECT_FALSE(settings.MacroSend);
    EXPECT_FALSE(settings.RoundGo);
    EXPECT_FALSE(settings.DoublePass);
    EXPECT_FALSE(settings.Apop);
    // ... and with the server function all that depends on it.
    EXPECT_FALSE(settings.DevideON);
    EXPECT_FALSE(settings.ManuSend);
    EXPECT_FALSE(settings.SendPause);
    EXPECT_FALSE(settings.DirectCheck);
    EXPECT_FALSE(settings.AutoDevideDisp);
    EXPECT_FALSE(settings.AutoOpen2);
    EXPECT_TRUE(settings.Mailer2.isEmpty());
    EXPECT_EQ(m_store.readString("Config", "ServerON"), "1");
    EXPECT_EQ(m_store.readString("Config", "Mailer2"), "/usr/bin/mailer2");
}

TEST_F(RegReadTest, LanModeIgnoresTheDialUpValues)
{
    set("Config", "DialMode", "0");
    set("Config", "AP", "provider");
    set("Config", "ReDial", "7");
    set("Config", "ReDialWait", "60");
    set("Config", "ConnectBeep", "1");
    set("Config", "DialDispOn", "1");
    set("Config", "DefNoncheck", "1");
    Settings settings = read();
    EXPECT_TRUE(settings.AP.isEmpty());
    EXPECT_EQ(settings.ReDial, 3);
    EXPECT_EQ(settings.ReDialWait, 10);
    EXPECT_FALSE(settings.ConnectBeep);
    EXPECT_FALSE(settings.DialDispOn);
    EXPECT_FALSE(settings.DefNoncheck);
    EXPECT_TRUE(m_messenger.messages.isEmpty());

    set("Config", "DialMode", "1");
    settings = read();
    EXPECT_EQ(settings.AP, "provider");
    EXPECT_EQ(settings.ReDial, 7);
    EXPECT_EQ(settings.ReDialWait, 60);
    EXPECT_TRUE(settings.ConnectBeep);
}

TEST_F(RegReadTest, DialUpWithoutAccessPointIsReported)
{
    set("Config", "DialMode", "1");
    read();
    EXPECT_EQ(m_messenger.beeps, 1);
    EXPECT_EQ(m_messenger.messages, QStringList(ApMissing));
}

TEST_F(RegReadTest, DistributionListsLoadOnlyWithTwoMailersOnTheServer)
{
    set("Devide", "101", " taro ");
    set("Devide", "100", "below the range");
    set("Devide", "250", "hanako");
    set("Devide", "301", "@example.jp");
    set("Devide", "199x", "first three digits count");
    set("Devide", "500", "X-Mailer-Foo");
    set("Devide", "501", "above the range");
    set("Devide", "401", "   ");
    set("Devide", "12", "too short");
    set("Devide", "abc", "no number");
    set("Config", "ServerON", "1");
    set("Config", "DevideON", "1");

    Settings settings = read();
    EXPECT_EQ(settings.DevideList[0], QStringList({ "taro", "first three digits count" }));
    EXPECT_EQ(settings.DevideList[1], QStringList({ "hanako" }));
    EXPECT_EQ(settings.DevideList[2], QStringList({ "@example.jp" }));
    EXPECT_EQ(settings.DevideList[3], QStringList({ "X-Mailer-Foo" }));

    for (const char *off : { "ServerON", "DevideON", "MailRound" }) {
        set("Config", off, "0");
        settings = read();
        for (const QStringList &list : settings.DevideList)
            EXPECT_TRUE(list.isEmpty()) << off;
        set("Config", off, "1");
    }
}

TEST_F(RegReadTest, LastTimeOnlyMovesForward)
{
    set("Disp", "LastTime", "12/06 08:00");
    EXPECT_EQ(read().LastTime, "12/06 08:00");
    EXPECT_EQ(read({ QStringLiteral("12/06 09:15"), false }).LastTime, "12/06 09:15");
    EXPECT_EQ(read({ QStringLiteral("12/05 23:59"), false }).LastTime, "12/06 08:00");
}

TEST_F(RegReadTest, NoDisplayFlagMeansHiddenModeWithEndlessAnimation)
{
    for (const char *name : { "Close", "Wareki", "Seireki", "Date", "Week", "Time" })
        set("Disp", name, "0");
    Settings settings = read();
    EXPECT_TRUE(settings.HiddenMode);
    EXPECT_TRUE(settings.ShutNot);

    set("Disp", "Seireki", "1");
    settings = read();
    EXPECT_FALSE(settings.HiddenMode);
    EXPECT_FALSE(settings.ShutNot);
}

TEST_F(RegReadTest, LauncherPelmaPositionAndTimeOut)
{
    set("Luncher", "00", "WITHVESK,/usr/bin/x, , , , , ");
    set("Luncher", "01", "b,/usr/bin/y, , , , ,Ctrl+F5");
    set("Disp", "PosiMode", "2");
    set("Config", "OverTime", "0");
    Settings settings = read({ QStringLiteral("0/0 0:00"), true });
    EXPECT_EQ(settings.LuncherLines,
        QStringList({ "00=WITHVESK,/usr/bin/x, , , , , ", "01=b,/usr/bin/y, , , , ,Ctrl+F5" }));
    EXPECT_FALSE(settings.MainPositionApplies);
    EXPECT_TRUE(settings.PelmaMenuEnabled);
    EXPECT_TRUE(settings.PelmaItemsEnabled);
    EXPECT_EQ(settings.OverTime, 0);
    EXPECT_EQ(settings.OverTimeMs, 5000); // never a timer that fires at once

    set("Disp", "Pelma", "0");
    set("Disp", "PosiMode", "3");
    set("Config", "OverTime", "2147483647");
    settings = read({ QStringLiteral("0/0 0:00"), true });
    EXPECT_TRUE(settings.MainPositionApplies);
    EXPECT_FALSE(settings.PelmaItemsEnabled);
    EXPECT_EQ(settings.OverTimeMs, 600000);
}

TEST_F(RegReadTest, BadColourTextGivesTheDefaultColour)
{
    set("Config", "OnFontColor", "yellowish");
    set("Config", "FontColor", "clred");
    const Settings settings = read();
    EXPECT_EQ(settings.OnFontColor, colors::clYellow);
    EXPECT_EQ(settings.FontColor, colors::clRed);
}

TEST_F(RegReadTest, StoreProblemsAreReported)
{
    set("Config", "Password", "plain");
    m_store.failSaves("保存できません");
    const Settings settings = read();
    EXPECT_EQ(settings.Password, "plain");
    EXPECT_EQ(m_messenger.messages, QStringList("保存できません"));
}

} // namespace vesk::test
