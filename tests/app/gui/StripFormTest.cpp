#include "FakeDialUpBackend.h"

#include "app/AccessoriesController.h"
#include "app/ControllerFixture.h"
#include "app/gui/QtTranslations.h"
#include "app/gui/VeskMainForm.h"
#include "dialup/ConnectionControl.h"
#include "dialup/DialPanel.h"
#include "extras/slideshow/Slideshow.h"
#include "extras/slideshow/gui/SlideshowView.h"
#include "support/WindowFixture.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QMessageBox>
#include <QToolButton>

namespace vesk::test {

// The strip drawn offscreen from a controller with fake time: what each
// main state shows, with a picture of each for a person to look at.
class StripForm : public WindowFixture
{
protected:
    StripForm()
    {
        settings.writeString("Config", "Host", "pop.example.jp");
        settings.writeString("Config", "UserID", "taro");
        settings.writeInteger("Config", "MailRound", 1);
        settings.writeInteger("Config", "ServerON", 1);
    }
    void picture(const char *name)
    {
        WindowFixture::picture(form, QStringLiteral("strip-") + QLatin1String(name));
    }

    VeskMainForm form { controller };
};

TEST_F(StripForm, MainStatesShowTheirTextsButtonsAndLayout)
{
    FakeProvider provider { m_state };
    controller.setProvider(&provider);
    provider.host = &controller.mailHost();
    start();
    EXPECT_EQ(form.dateText(), "12/7 月 ");
    EXPECT_EQ(form.timeText(), "8:05");
    EXPECT_TRUE(form.closeButtonShown());
    EXPECT_EQ(form.okText(), "");
    EXPECT_EQ(form.shownLayout(), StripLayout::Normal);
    picture("normal");

    controller.toggleMailIndication();
    EXPECT_EQ(form.shownLayout(), StripLayout::MailOn);
    picture("new-mail");
    controller.toggleMailIndication();

    controller.checkNow(); // nothing new
    EXPECT_EQ(form.dateText(), "Non Mail");
    picture("non-mail");
    provider.fail = true;
    controller.checkNow();
    provider.fail = false;
    EXPECT_EQ(form.dateText(), "ConnectNG");
    picture("connect-ng");

    controller.strip().showPlanAlert(QStringLiteral("8:30"), QStringLiteral("会議"));
    EXPECT_EQ(form.dateText(), "< 8:30 = 会議 > ");
    EXPECT_EQ(form.okText(), "Saw");
    EXPECT_EQ(form.markerText(), "");
    picture("plan-alert");
    controller.strip().acknowledgePlanAlert();
    EXPECT_EQ(form.okText(), "");

    controller.strip().toggleDisplayFlag(6);
    EXPECT_FALSE(form.closeButtonShown());
}

// The strip in dial-up mode, against the fake connection service: the
// panel while dialling and while connected, the connection time in the
// title, and the OK button's "OFF".
class StripDialUp : public WindowFixture
{
protected:
    StripDialUp()
    {
        settings.writeInteger("Config", "DialMode", 1);
        settings.writeString("Config", "AP", "MyISP");
        settings.writeInteger("Config", "DialDispOn", 1);
        controller.setDialUp(&backend, nullptr);
    }
    void picture(const char *name)
    {
        WindowFixture::picture(form, QStringLiteral("strip-") + QLatin1String(name));
    }
    QToolButton *okButton()
    {
        for (QToolButton *button : form.findChildren<QToolButton *>()) {
            if (button->text() == "OFF")
                return button;
        }
        return nullptr;
    }

    FakeDialUpBackend backend { m_timers };
    VeskMainForm form { controller };
};

TEST_F(StripDialUp, PanelWhileDiallingAndConnectedThenOffHangsUp)
{
    backend.lines = { FakeDialUpBackend::Line::Busy };
    start();
    m_timers.advance(50);
    QString whileWaiting;
    m_pump.eachRound = [&] {
        if (whileWaiting.isEmpty() && controller.dialUp().panel().status == "Waiting redial 9") {
            whileWaiting = form.dialPanelText();
            picture("dial-redial");
        }
    };
    controller.checkNowKeepLine();
    m_pump.eachRound = {};
    EXPECT_EQ(whileWaiting, "----\nMyISP\nConnect Error\nWaiting redial 9");

    // The second attempt answered: the minute tick (on the clock's minute)
    // shows the line, and the connection time counts from it.
    m_timers.advance(60000 + 20000);
    EXPECT_EQ(form.okText(), "OFF");
    const QString panel = form.dialPanelText();
    EXPECT_TRUE(panel.startsWith("----\nMyISP\n28.8 Kbps\nTime = 0:00:")) << panel.toStdString();
    picture("dial-connected");

    // A click on the panel puts the connection time in the title.
    controller.dialUp().panelClicked();
    EXPECT_EQ(form.dialPanelText(), "");
    EXPECT_EQ(form.dateText(), "+ ");
    EXPECT_EQ(form.timeText(), panel.section("Time = ", 1));
    picture("dial-time");

    ASSERT_NE(okButton(), nullptr);
    okButton()->click();
    EXPECT_TRUE(backend.activeConnections().isEmpty());
    EXPECT_EQ(form.okText(), "");
    EXPECT_EQ(form.dateText(), "12/7 月 ");
}

// New mail shows the shipped picture set under the strip, one picture after
// the other; its pictures are pictures for a person to look at.
using StripSlideshow = WindowFixture;

TEST_F(StripSlideshow, NewMailShowsThePicturesOneAfterTheOther)
{
    settings.writeInteger("Config", "MailRound", 0);
    VeskMainForm form { controller };
    auto *view = new SlideshowView;
    form.setAnimationView(view);
    controller.accessories().setPictureArea(view);
    start();

    controller.toggleMailIndication();
    EXPECT_EQ(form.shownLayout(), StripLayout::MailOn);
    EXPECT_EQ(QFileInfo(view->shownPath()).fileName(), "mail00.jpg");
    EXPECT_EQ(view->pictureSize(), QSize(160, 120));
    m_timers.advance(controller.accessories().slideshow().interval() * 3);
    EXPECT_EQ(QFileInfo(view->shownPath()).fileName(), "mail03.jpg");
    QCoreApplication::processEvents();
    // The strip is as wide as the picture, the date and clock above it.
    EXPECT_GE(form.width(), 160);
    EXPECT_TRUE(view->isVisible());
    picture(form, QStringLiteral("strip-slideshow"));

    EXPECT_TRUE(m_messenger.messages.isEmpty());
}

TEST(QtTranslations, QtsOwnButtonsSpeakJapanese)
{
    ASSERT_TRUE(installQtTranslations(*QCoreApplication::instance()));
    QMessageBox box(
        QMessageBox::Question, "確認", "消してもよろしいですか？", QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith("はい"))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith("いいえ"));
}

} // namespace vesk::test
