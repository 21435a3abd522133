#include "extras/settings/gui/SettingForm.h"
#include "extras/settings/DialogControls.h"
#include "extras/settings/gui/PortForm.h"
#include "mail/ProviderSecurity.h"
#include "settings/PasswordCodec.h"
#include "support/FakeSettingsDialogHost.h"
#include "support/MemorySettingsStore.h"
#include "support/NoDialUpEntries.h"
#include "support/RecordingMessenger.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// The settings dialog offscreen over a store in memory.
class SettingFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        store.writeInteger("Config", "MailRound", 1);
        store.writeInteger("Config", "ServerON", 1);
        store.writeInteger("Config", "DevideON", 1);
        store.writeString("Config", "Host", "pop.example.jp");
        store.writeString("Config", "UserID", "taro");
        store.writeString("Config", "Password", PasswordCodec::encode("secret"));
        store.writeString("Config", "Mailer", "/usr/bin/thunderbird");
        store.writeInteger("Config", "DialMode", 1); // as a hand-edited file may say
        store.writeString("Devide", "101", "田中");
        store.writeString("Devide", "102", "*");
        store.writeString("Devide", "301", "example.com");
        store.writeString("Devide", "401", "X-Becky");
        form = new TSettingForm(store, messenger, dialUp, host, "/home/taro/.local/share/Dorvane/Vesk/");
        form->show();
    }
    void TearDown() override { delete form; }

    template <class W> W *find(const char *name) const { return form->findChild<W *>(QLatin1String(name)); }
    void click(const char *name) { find<QAbstractButton>(name)->click(); }
    bool tabShown(const char *name) const
    {
        return form->pages()->isTabVisible(form->pages()->indexOf(find<QWidget>(name)));
    }
    // Typing as a person does: the field's whole text replaced.
    void type(const char *name, const QString &text)
    {
        QLineEdit *edit = find<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(edit, &erase);
        for (const QChar c : text) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &key);
        }
    }
    // Answers the next text prompt with `answer`.
    static void answerPrompt(const QString &answer)
    {
        QTimer::singleShot(0, [answer] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *prompt = qobject_cast<QInputDialog *>(w); prompt && prompt->isVisible()) {
                    prompt->setTextValue(answer);
                    prompt->accept();
                }
            }
        });
    }

    MemorySettingsStore store;
    RecordingMessenger messenger;
    NoDialUpEntries dialUp;
    FakeSettingsDialogHost host;
    QPointer<TSettingForm> form;
};

TEST_F(SettingFormTest, EveryPageAsAPersonSeesIt)
{
    EXPECT_EQ(form->windowTitle(), "Vesk各種設定");
    EXPECT_EQ(form->pages()->currentIndex(), 0);
    EXPECT_EQ(find<QLineEdit>("edtPassword")->text(), "secret");
    EXPECT_TRUE(find<QLabel>("lblPasswordInFile")->isVisible()); // no keyring beside the store
    EXPECT_EQ(find<QPlainTextEdit>("memAdrs1")->toPlainText(), "田中\n*");
    for (const DialogControl &control : dialogcontrols::all())
        EXPECT_TRUE(find<QWidget>(control.control)) << control.control;
    for (const controldeps::ControlRule &rule : controldeps::rules())
        EXPECT_TRUE(find<QWidget>(rule.control)) << rule.control;
    for (int page = 0; page < form->pages()->count(); ++page) {
        form->pages()->setCurrentIndex(page);
        QCoreApplication::processEvents();
        EXPECT_TRUE(saveScreenshot(*form, QStringLiteral("settings-page-%1").arg(page + 1)));
    }
    TPortForm ports(store, messenger, form);
    ports.show();
    EXPECT_TRUE(saveScreenshot(ports, QStringLiteral("settings-ports")));
}

TEST_F(SettingFormTest, TheSignInTakesTheClientAsShownAndSaysHowItWent)
{
    form->pages()->setCurrentWidget(find<QWidget>("tabSecurity"));
    type("edtOAuthClientID", "vesk-desktop");
    type("edtOAuthClientSecret", "s3cret");
    find<QComboBox>("cmbOAuthPreset")->setCurrentIndex(int(OAuthPreset::Microsoft));
    find<QComboBox>("cmbPop3Auth")->setCurrentIndex(int(PopAuth::XOAuth2));
    find<QComboBox>("cmbSmtpAuth")->setCurrentIndex(int(SmtpAuth::OAuthBearer));
    for (bool works : { false, true }) {
        host.signInWorks = works;
        click("btnSignIn");
        EXPECT_EQ(find<QLabel>("lblSignIn")->text(),
            works ? QStringLiteral("サインインしました") : QStringLiteral("サインインできませんでした"));
        EXPECT_TRUE(find<QWidget>("btnSignIn")->isEnabled());
    }
    EXPECT_EQ(messenger.beeps, 1);
    ASSERT_EQ(host.signIns.size(), 2);
    EXPECT_EQ(host.signIns[0].clientId, QStringLiteral("vesk-desktop"));
    EXPECT_EQ(host.signIns[0].clientSecret, QStringLiteral("s3cret"));
    EXPECT_TRUE(host.signIns[0].scope.contains(QStringLiteral("offline_access")));
    EXPECT_TRUE(saveScreenshot(*form, QStringLiteral("settings-oauth")));
    click("btnOK");
    EXPECT_EQ(store.readString("Config", "OAuth_ClientID"), "vesk-desktop");
    EXPECT_EQ(store.readString("Config", "OAuth_ClientSecret"), PasswordCodec::encode("s3cret"));
    EXPECT_EQ(store.readString("Config", "POP3_Auth"), "1");
    EXPECT_EQ(store.readString("Config", "SMTP_Auth"), "6");
}

TEST_F(SettingFormTest, ControlsFollowTheirBoxesAndTheIntervalNeverShowsZero)
{
    click("ckbServerON");
    EXPECT_FALSE(tabShown("tabMailer2"));
    EXPECT_FALSE(tabShown("tabRules"));
    click("ckbMailRound");
    EXPECT_FALSE(find<QWidget>("edtHost")->isEnabled());
    EXPECT_FALSE(find<QWidget>("btnCheck")->isEnabled());
    EXPECT_TRUE(find<QLineEdit>("edtRoundTime")->isReadOnly());
    click("ckbMailRound");
    click("ckbServerON");
    EXPECT_TRUE(tabShown("tabRules"));
    EXPECT_FALSE(find<QWidget>("speLeaveDays")->isEnabled());
    click("ckbLeaveOnServer");
    EXPECT_TRUE(find<QWidget>("speLeaveDays")->isEnabled());
    EXPECT_TRUE(find<QWidget>("ckbDeleteWithMailer")->isEnabled());
    EXPECT_TRUE(saveScreenshot(*form, QStringLiteral("settings-page-1-leave")));

    type("edtRoundTime", "");
    EXPECT_EQ(find<QLineEdit>("edtRoundTime")->text(), "5");
    EXPECT_EQ(messenger.beeps, 1);
    click("btnRoundUp");
    EXPECT_EQ(find<QLineEdit>("edtRoundTime")->text(), "10");
}

TEST_F(SettingFormTest, SavesOrRefusesAndErasesWithThePassword)
{
    type("edtHost", "pop.example.net");
    type("edtAdrs2", "hanako");
    click("btnOK");
    EXPECT_EQ(messenger.messages.last(), "振分は「追加」を押さないと入力されません");
    EXPECT_TRUE(form->isVisible());

    click("spbAdd2");
    click("btnOK");
    EXPECT_EQ(store.readString("Config", "Host"), "pop.example.net");
    EXPECT_EQ(store.readString("Devide", "201"), "hanako");
    EXPECT_EQ(host.saved, QList<bool> { true });
    EXPECT_EQ(host.closed, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());

    form = new TSettingForm(store, messenger, dialUp, host, "/");
    form->show();
    answerPrompt("secret");
    click("btnDefault");
    EXPECT_EQ(host.erased, 1);
    EXPECT_TRUE(store.readSection("Config").isEmpty());
    EXPECT_EQ(host.closed, 2);
}

} // namespace
} // namespace vesk::test
