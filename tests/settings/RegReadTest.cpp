#include "settings/RegRead.h"
#include "settings/SettingsTable.h"
#include "support/MemorySettingsStore.h"
#include "support/Printers.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

class RegReadTest : public ::testing::Test
{
protected:
    Settings read(const RegReadInput &input = {}) { return RegRead(m_store, m_messenger, input); }
    void set(const char *section, const char *name, const QString &value)
    {
        m_store.writeString(QString::fromLatin1(section), QString::fromLatin1(name), value);
    }
    void setAll(const char *section, std::initializer_list<const char *> names, const QString &value)
    {
        for (const char *name : names)
            set(section, name, value);
    }
    // A value as it is stored, for comparing many at once.
    static QStringList texts(const Settings &settings, std::initializer_list<const char *> names)
    {
        QStringList out;
        for (const char *name : names) {
            const SettingEntry *entry = SettingsTable::find(u"Config", QString::fromLatin1(name));
            out << SettingsTable::text(
                settings, entry ? *entry : *SettingsTable::find(u"Disp", QString::fromLatin1(name)));
        }
        return out;
    }

    MemorySettingsStore m_store;
    RecordingMessenger m_messenger;
};

TEST_F(RegReadTest, TableDefaultsMatchAFreshSettingsValueAndAFreshStoreLacksOnlyTheAccount)
{
    const Settings fresh;
    for (const auto *table : { &SettingsTable::config(), &SettingsTable::disp() }) {
        for (const SettingEntry &entry : *table)
            EXPECT_EQ(SettingsTable::text(fresh, entry), QString::fromUtf8(entry.defaultText)) << entry.name;
    }
    // No entry lost from the tables.
    EXPECT_EQ(SettingsTable::config().size(), 97u);
    EXPECT_EQ(SettingsTable::disp().size(), 47u);
    const Settings settings = read();
    EXPECT_EQ(texts(settings, { "MailRound", "RoundGo", "RoundTime", "ServerON" }),
        QStringList({ "1", "1", "20", "0" }));
    EXPECT_FALSE(settings.AccountComplete);
    EXPECT_FALSE(settings.HiddenMode);
    EXPECT_EQ(settings.OverTimeMs, 300000);
    EXPECT_TRUE(m_messenger.messages.isEmpty());
    EXPECT_EQ(m_store.saveCount(), 0); // reading alone writes nothing
}

TEST_F(RegReadTest, EveryTableValueIsReadIntoItsField)
{
    for (const auto *table : { &SettingsTable::config(), &SettingsTable::disp() }) {
        for (const SettingEntry &entry : *table) {
            const QString value = QString::fromUtf8(entry.defaultText);
            const QString changed[] = { value == "1" ? "0" : "1", QString::number(value.toInt() + 7),
                QStringLiteral("v-%1").arg(QString::fromLatin1(entry.name)), "$00123456" };
            set(entry.section, entry.name, changed[int(entry.type())]);
        }
    }
    set("Config", "Password", "..414243");
    set("Config", "SMTP_Password", "..58595A");
    set("Config", "OAuth_ClientSecret", "..4344");
    set("Config", "OAuth_RefreshToken", "..313233");
    setAll("Config", { "DialMode", "MailRound", "ServerON", "DevideON" }, "1"); // keep what depends on them
    set("Disp", "LastTime", "9/99 99:99");
    const Settings settings = read();
    for (const auto *table : { &SettingsTable::config(), &SettingsTable::disp() }) {
        for (const SettingEntry &entry : *table) {
            const QString name = QString::fromLatin1(entry.name);
            if (!entry.secret && name != "OAuth_ClientSecret") {
                EXPECT_EQ(SettingsTable::text(settings, entry), m_store.readString(entry.section, name))
                    << entry.name;
            }
        }
    }
    EXPECT_EQ(settings.Password, "ABC");
    EXPECT_EQ(settings.SMTP_Password, "XYZ");
    EXPECT_EQ(settings.OAuth_ClientSecret, "CD");
    EXPECT_EQ(settings.OAuth_RefreshToken, "123");
}

TEST_F(RegReadTest, SmtpDefaultsToHostAndAnAccountNeedsAllThree)
{
    set("Config", "Host", "pop.example.jp");
    EXPECT_EQ(read().SMTP, "pop.example.jp");
    EXPECT_FALSE(read().AccountComplete);
    set("Config", "UserID", "me");
    EXPECT_TRUE(read().AccountComplete);
    set("Config", "SMTP", "");
    EXPECT_FALSE(read().AccountComplete);
}

// "2 ;ssl" read as the default would send the password in clear.
TEST_F(RegReadTest, ASecuritySettingThatIsNoNumberIsKeptAsNoTableValue)
{
    for (const auto &[text, value] : { std::pair { "2 ;ssl", -1 }, { "ssl", -1 }, { "3", 3 }, { "", 0 }, { "2", 2 } }) {
        setAll("Config", { "POP3_Security", "SMTP_Security", "SMTP_Auth" }, QString::fromLatin1(text));
        const Settings settings = read();
        EXPECT_EQ(settings.POP3_Security, value) << text;
        EXPECT_EQ(settings.SMTP_Security, value) << text;
        EXPECT_EQ(settings.SMTP_Auth, value) << text;
    }
}

TEST_F(RegReadTest, APlainPasswordIsStoredEncodedAndAnUndecodableOneAskedForAgain)
{
    set("Config", "Password", "secret");
    EXPECT_EQ(read().Password, "secret");
    EXPECT_EQ(m_store.readString("Config", "Password"), "..736563726574");
    EXPECT_EQ(read().Password, "secret");
    EXPECT_TRUE(m_messenger.messages.isEmpty());
    set("Config", "Password", "..4X41");
    EXPECT_EQ(read().Password, "..4X41");
    EXPECT_EQ(m_messenger.messages, QStringList("パスワードを再入力してください"));
    EXPECT_EQ(m_store.readString("Config", "Password"), "..4X41");
}

TEST_F(RegReadTest, MailRoundOffSwitchesTheServerFunctionAndAllThatDependsOnItOffInMemoryOnly)
{
    const auto names = { "ServerON", "AutoOpen", "WithCheck", "MacroSend", "RoundGo", "DoublePass", "Apop",
        "DevideON", "ManuSend", "SendPause", "DirectCheck", "AutoDevideDisp", "AutoOpen2" };
    setAll("Config", names, "1");
    set("Config", "MailRound", "0");
    set("Config", "Mailer2", "/usr/bin/mailer2");
    const Settings settings = read();
    EXPECT_EQ(texts(settings, names), QStringList(int(names.size()), "0"));
    EXPECT_TRUE(settings.Mailer2.isEmpty());
    EXPECT_EQ(m_store.readString("Config", "ServerON"), "1");
    EXPECT_EQ(m_store.readString("Config", "Mailer2"), "/usr/bin/mailer2");
}

TEST_F(RegReadTest, LanModeIgnoresTheDialUpValuesAndDialUpNeedsAnAccessPoint)
{
    const auto names = { "AP", "ReDial", "ReDialWait", "ConnectBeep", "DialDispOn", "DefNoncheck" };
    set("Config", "AP", "provider");
    setAll("Config", { "ReDial", "ConnectBeep", "DialDispOn", "DefNoncheck" }, "1");
    set("Config", "ReDialWait", "60");
    EXPECT_EQ(texts(read(), names), QStringList({ "", "3", "10", "0", "0", "0" }));
    set("Config", "DialMode", "1");
    EXPECT_EQ(texts(read(), names), QStringList({ "provider", "1", "60", "1", "1", "1" }));
    EXPECT_TRUE(m_messenger.messages.isEmpty());
    set("Config", "AP", "");
    read();
    EXPECT_EQ(m_messenger.beeps, 1);
    EXPECT_EQ(
        m_messenger.messages, QStringList("「各種設定／接続方法／接続AP名」を入れないと接続できません。"));
}

TEST_F(RegReadTest, DistributionListsLoadOnlyWithTwoMailersOnTheServer)
{
    const std::pair<const char *, const char *> values[]
        = { { "101", " taro " }, { "100", "below the range" }, { "250", "hanako" }, { "301", "@example.jp" },
              { "199x", "first three digits count" }, { "500", "X-Mailer-Foo" }, { "501", "above the range" },
              { "401", "   " }, { "12", "too short" }, { "abc", "no number" } };
    for (const auto &[name, value] : values)
        set("Devide", name, value);
    setAll("Config", { "ServerON", "DevideON" }, "1");
    const Settings settings = read();
    EXPECT_EQ(settings.DevideList[0], QStringList({ "taro", "first three digits count" }));
    EXPECT_EQ(settings.DevideList[1], QStringList({ "hanako" }));
    EXPECT_EQ(settings.DevideList[2], QStringList({ "@example.jp" }));
    EXPECT_EQ(settings.DevideList[3], QStringList({ "X-Mailer-Foo" }));
    for (const char *off : { "ServerON", "DevideON", "MailRound" }) {
        set("Config", off, "0");
        EXPECT_EQ(read().DevideList, (std::array<QStringList, 4> {})) << off;
        set("Config", off, "1");
    }
}

TEST_F(RegReadTest, LastTimeOnlyMovesForwardAndBadColoursGiveTheDefault)
{
    set("Disp", "LastTime", "12/06 08:00");
    EXPECT_EQ(read({ QStringLiteral("12/06 09:15"), false }).LastTime, "12/06 09:15");
    EXPECT_EQ(read({ QStringLiteral("12/05 23:59"), false }).LastTime, "12/06 08:00");
    set("Config", "OnFontColor", "yellowish");
    set("Config", "FontColor", "clred");
    EXPECT_EQ(texts(read(), { "OnFontColor", "FontColor" }), QStringList({ "clYellow", "clRed" }));
}

TEST_F(RegReadTest, NoDisplayFlagMeansHiddenModeWithEndlessAnimation)
{
    setAll("Disp", { "Close", "Wareki", "Seireki", "Date", "Week", "Time" }, "0");
    EXPECT_TRUE(read().HiddenMode);
    EXPECT_TRUE(read().ShutNot);
    set("Disp", "Seireki", "1");
    EXPECT_FALSE(read().HiddenMode);
    EXPECT_FALSE(read().ShutNot);
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
    EXPECT_EQ(settings.OverTimeMs, 5000); // never a timer that fires at once
    set("Disp", "Pelma", "0");
    set("Disp", "PosiMode", "3");
    set("Config", "OverTime", "2147483647");
    settings = read({ QStringLiteral("0/0 0:00"), true });
    EXPECT_TRUE(settings.MainPositionApplies);
    EXPECT_FALSE(settings.PelmaItemsEnabled);
    EXPECT_EQ(settings.OverTimeMs, 600000);
}

TEST_F(RegReadTest, StoreProblemsAreReported)
{
    set("Config", "Password", "plain");
    m_store.failSaves("保存できません");
    EXPECT_EQ(read().Password, "plain");
    EXPECT_EQ(m_messenger.messages, QStringList("保存できません"));
}

} // namespace
} // namespace vesk::test
