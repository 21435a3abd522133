#include "extras/settings/SettingsDialogModel.h"
#include "extras/settings/DialogControls.h"
#include "settings/PasswordCodec.h"
#include "settings/RegRead.h"
#include "settings/SettingsSections.h"
#include "support/FakeSettingsDialogHost.h"
#include "support/MemorySettingsStore.h"
#include "support/NoDialUpEntries.h"
#include "support/RecordingMessenger.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

class TwoDialUpEntries final : public DialUpEntries
{
public:
    bool available() const override { return true; }
    QStringList names() const override { return entries; }
    QStringList entries { "Office", "Home" };
};

class SettingsDialogModelTest : public ::testing::Test
{
protected:
    SettingsDialogModel &loaded()
    {
        model.load(store);
        return model;
    }

    MemorySettingsStore store;
    RecordingMessenger messenger;
    NoDialUpEntries noDialUp;
    SettingsDialogModel model { messenger, noDialUp };
};

TEST_F(SettingsDialogModelTest, DependenciesFollowTheFiveBoxes)
{
    struct Row
    {
        const char *ticked; // M S D R P
        const char *usable;
        const char *unusable;
    };
    const Row rows[] = {
        { "", "", "edtHost edtPassword btnCheck btnTestCancel btnPort ckbServerON edtRoundTime ckbDevideON" },
        { "M", "edtHost edtUserID edtPassword btnCheck btnTestCancel btnMonitorOn ckbServerON ckbAutoOpen",
            "edtRoundTime btnRoundUp ckbDevideON ckbManuSend spbChmFont tabMailer2" },
        { "MR", "edtRoundTime btnRoundUp btnRoundDown", "ckbSendPause" },
        { "MS", "ckbDevideON ckbManuSend ckbSendPause speGyou spbChmFont",
            "tabMailer2 tabRules speSendPauseTime" },
        { "MSD", "tabMailer2 tabRules grpMailer2", "" },
        { "MD", "", "tabMailer2 tabRules grpMailer2" }, // two mailers stay ticked
        { "MSP", "speSendPauseTime", "" },
        { "SDRP", "", "edtHost tabMailer2 edtRoundTime speSendPauseTime ckbDevideON" },
    };
    for (const Row &row : rows) {
        const QString ticked = QString::fromLatin1(row.ticked);
        model.setChecked(u"ckbMailRound", ticked.contains('M'));
        model.setChecked(u"ckbServerON", ticked.contains('S'));
        model.setChecked(u"ckbDevideON", ticked.contains('D'));
        model.setChecked(u"ckbRoundGo", ticked.contains('R'));
        model.setChecked(u"ckbSendPause", ticked.contains('P'));
        for (const QString &control : QString::fromLatin1(row.usable).split(' ', Qt::SkipEmptyParts))
            EXPECT_TRUE(model.usable(control)) << row.ticked << ": " << control.toStdString();
        for (const QString &control : QString::fromLatin1(row.unusable).split(' ', Qt::SkipEmptyParts))
            EXPECT_FALSE(model.usable(control)) << row.ticked << ": " << control.toStdString();
    }
}

TEST_F(SettingsDialogModelTest, IntervalFieldStepsByFiveAndNeverShowsZero)
{
    struct Row
    {
        const char *text;
        char action; // '=' typed, '+' up, '-' down
        const char *shown;
        int beeps;
        int minutes;
    };
    const Row rows[] = {
        { "", '=', "5", 1, 5 },
        { "abc", '=', "5", 1, 5 },
        { "0", '=', "5", 1, 5 },
        { "3", '=', "3", 0, 5 }, // typed, but never saved below 5
        { "45", '=', "45", 0, 45 },
        { "20", '+', "25", 0, 25 },
        { "15", '-', "10", 0, 10 },
        { "10", '-', "5", 0, 5 },
        { "9", '-', "5", 1, 5 },
        { "2147483645", '+', "2147483645", 0, 2147483645 },
    };
    for (const Row &row : rows) {
        RecordingMessenger beeper;
        RoundTimeField field(beeper);
        field.setText(QString::fromLatin1(row.text));
        if (row.action == '+')
            field.up();
        else if (row.action == '-')
            field.down();
        EXPECT_EQ(field.text(), row.shown) << row.text << row.action;
        EXPECT_EQ(beeper.beeps, row.beeps) << row.text << row.action;
        EXPECT_EQ(field.minutes(), row.minutes) << row.text << row.action;
    }
}

TEST_F(SettingsDialogModelTest, LoadsDefaultsWithTheDialogsOwnMissingValueCases)
{
    loaded();
    // A fresh store: checking shows off, the rest as the program runs.
    EXPECT_FALSE(model.checked(u"ckbMailRound"));
    EXPECT_TRUE(model.checked(u"ckbRoundGo"));
    EXPECT_EQ(model.number(u"speOverTime"), 300);
    EXPECT_EQ(model.roundTime().text(), "20");
    EXPECT_FALSE(model.connectionMethod().dialUp()); // no dial-up here
    EXPECT_EQ(model.clockFont().name, "ＭＳ Ｐゴシック");
    EXPECT_TRUE(messenger.messages.isEmpty());

    store.writeInteger("Config", "MailRound", 1);
    store.writeString("Config", "Host", "pop.example.jp");
    store.writeInteger("Config", "OverTime", 9999);
    store.writeInteger("Config", "DialMode", 1);
    store.writeString("Config", "Password", "..ZZ");
    loaded();
    EXPECT_TRUE(model.checked(u"ckbMailRound"));
    EXPECT_EQ(model.text(u"edtSMTP"), "pop.example.jp");
    EXPECT_EQ(model.number(u"speOverTime"), 600);
    EXPECT_TRUE(model.connectionMethod().dialUp()); // as stored
    EXPECT_EQ(model.secrets().password(), "..ZZ");
    EXPECT_EQ(messenger.beeps, 1);
    EXPECT_EQ(messenger.messages, QStringList { "パスワードを再入力してください" });
}

TEST_F(SettingsDialogModelTest, SavesWhatTheProgramReadsBack)
{
    loaded();
    model.setChecked(u"ckbMailRound", true);
    model.setChecked(u"ckbServerON", true);
    model.setChecked(u"ckbDevideON", true);
    model.setText(u"edtHost", "pop.example.jp");
    model.setText(u"edtSMTP", ""); // means the POP3 host
    model.setText(u"edtUserID", "taro");
    model.secrets().setPassword("..secret");
    model.roundTime().setText("30");
    model.setNumber(u"speSendPauseTime", 99999);
    model.rules().setEntry(2, "hanako");
    ASSERT_TRUE(model.rules().spbAdd1Click(2));
    model.rules().setEntry(4, "typed, never added"); // list 4 is not examined
    ASSERT_EQ(
        model.save(store, "/home/taro/.local/share/Dorvane/Vesk/"), SettingsDialogModel::SaveResult::Saved);

    const Settings read = RegRead(store, messenger);
    EXPECT_TRUE(read.MailRound && read.ServerON && read.DevideON);
    EXPECT_EQ(read.SMTP, "pop.example.jp");
    EXPECT_TRUE(read.AccountComplete);
    EXPECT_EQ(read.Password, "..secret");
    EXPECT_EQ(store.readString("Config", "Password"), PasswordCodec::encode("..secret"));
    EXPECT_EQ(read.RoundTime, 30);
    EXPECT_EQ(read.SendPauseTime, 300);
    EXPECT_EQ(read.DialMode, 0);
    EXPECT_EQ(read.DevideList[1], QStringList { "hanako" });
    EXPECT_EQ(store.readString("Config", "Folder"), "/home/taro/.local/share/Dorvane/Vesk/");
    EXPECT_TRUE(messenger.messages.isEmpty()) << messenger.messages.join('\n').toStdString();
}

TEST_F(SettingsDialogModelTest, RefusesToSaveWhileARuleOfListsOneToThreeWasNotAdded)
{
    loaded();
    model.rules().setEntry(3, " someone@example.jp ");
    model.setChecked(u"ckbDevideON", false);
    EXPECT_EQ(model.save(store, "/"), SettingsDialogModel::SaveResult::Saved); // one mailer: not asked

    model.setChecked(u"ckbDevideON", true);
    model.setText(u"edtHost", "changed");
    const int saves = store.saveCount();
    EXPECT_EQ(model.save(store, "/"), SettingsDialogModel::SaveResult::Refused);
    EXPECT_EQ(messenger.messages.last(), "振分は「追加」を押さないと入力されません");
    EXPECT_EQ(store.saveCount(), saves);
    EXPECT_EQ(store.readString("Config", "Host"), "");

    model.rules().setEntry(3, "");
    store.failSaves("書けません");
    EXPECT_EQ(model.save(store, "/"), SettingsDialogModel::SaveResult::Failed);
    EXPECT_TRUE(messenger.messages.last().contains("書けません"));
}

TEST_F(SettingsDialogModelTest, EraseAllNeedsThePasswordShown)
{
    store.writeString("Config", "Password", PasswordCodec::encode("pw"));
    loaded();
    EXPECT_EQ(model.eraseAll(store, "Password"), EraseResult::WrongPassword);
    EXPECT_EQ(messenger.beeps, 1);
    EXPECT_FALSE(store.readSection("Config").isEmpty());
    model.secrets().setPassword(""); // an empty password field takes an empty answer
    EXPECT_EQ(model.eraseAll(store, ""), EraseResult::Erased);
    EXPECT_TRUE(store.readSection("Config").isEmpty());
}

TEST_F(SettingsDialogModelTest, ConnectionTestNeedsTheMonitor)
{
    loaded();
    FakeSettingsDialogHost host;
    model.connectionTest(host);
    EXPECT_TRUE(host.tested.isEmpty());
    EXPECT_EQ(messenger.messages, QStringList { "「MonitorON」でモニターを開いてから行って下さい" });
}

TEST_F(SettingsDialogModelTest, DialUpOnlyWhereItCanBeMadeWithTheEntriesListed)
{
    loaded();
    EXPECT_FALSE(model.connectionMethod().chooseDialUp());
    EXPECT_FALSE(model.connectionMethod().dialUp());
    EXPECT_EQ(messenger.messages.last(), DialUpEntries::MissingServiceText);

    TwoDialUpEntries dialUp;
    SettingsDialogModel withDialUp(messenger, dialUp);
    withDialUp.load(store); // DialMode missing: dial-up where it can be made
    EXPECT_TRUE(withDialUp.usable(u"ckbDefNoncheck"));
    EXPECT_TRUE(withDialUp.connectionMethod().takeDialEntry(1));
    EXPECT_EQ(withDialUp.text(u"edtAp"), "Home");
    dialUp.entries = { "Office" };
    store.writeInteger("Config", "DefNoncheck", 1);
    withDialUp.load(store);
    EXPECT_FALSE(withDialUp.usable(u"ckbDefNoncheck"));
    EXPECT_FALSE(withDialUp.checked(u"ckbDefNoncheck"));
}

TEST_F(SettingsDialogModelTest, APortFollowsItsEncryptionOnlyFromADefault)
{
    loaded();
    EXPECT_EQ(model.number(u"cmbPop3Security"), 0);
    const struct
    {
        const char *security;
        const char *port;
        int choice;
        int expected;
    } steps[] = {
        { "cmbPop3Security", "spePop3Port", 2, 995 },
        { "cmbPop3Security", "spePop3Port", 1, 110 },
        { "cmbSmtpSecurity", "speSmtpPort", 1, 587 },
        { "cmbSmtpSecurity", "speSmtpPort", 2, 465 },
        { "cmbSmtpSecurity", "speSmtpPort", 0, 25 },
    };
    for (const auto &step : steps) {
        model.setNumber(QString::fromLatin1(step.security), step.choice);
        EXPECT_EQ(model.number(QString::fromLatin1(step.port)), step.expected)
            << step.security << step.choice;
    }
    model.setNumber(u"spePop3Port", 10995);
    model.setNumber(u"cmbPop3Security", 2);
    EXPECT_EQ(model.number(u"spePop3Port"), 10995);
}

TEST_F(SettingsDialogModelTest, TheSmtpLoginIsSavedWithItsPasswordEncoded)
{
    loaded();
    model.setNumber(u"cmbSmtpAuth", 4);
    model.setText(u"edtSmtpUserID", QStringLiteral("jiro"));
    model.secrets().setSmtpPassword(QStringLiteral("smtp-pass"));
    ASSERT_EQ(model.save(store, QStringLiteral("/tmp")), SettingsDialogModel::SaveResult::Saved);
    EXPECT_EQ(
        store.readString("Config", "SMTP_Password"), PasswordCodec::encode(QStringLiteral("smtp-pass")));
    EXPECT_EQ(store.readInteger("Config", "SMTP_Auth", 0), 4);
    SettingsDialogModel again(messenger, noDialUp);
    again.load(store);
    EXPECT_EQ(again.secrets().smtpPassword(), QStringLiteral("smtp-pass"));
    again.setChecked(u"ckbMailRound", true);
    EXPECT_TRUE(again.usable(u"edtSmtpPassword"));
    again.setNumber(u"cmbSmtpAuth", 0);
    EXPECT_FALSE(again.usable(u"edtSmtpPassword"));
}

} // namespace
} // namespace vesk::test
