#include "ControllerFixture.h"
#include "FakeDialUpBackend.h"

#include "dialup/AccessPointSelector.h"
#include "dialup/ConnectionControl.h"
#include "dialup/DialPanel.h"
#include "dialup/PowerOff.h"

namespace vesk::test {
namespace {

class RefusingPowerOff final : public PowerOff
{
public:
    bool powerOff(QString *reason) override
    {
        ++calls;
        *reason = QStringLiteral("Access denied");
        return false;
    }
    int calls = 0;
};

// A selector that gives what the test scripted.
class ScriptedSelector final : public AccessPointSelector
{
public:
    bool open(QString *why) override
    {
        *why = openError;
        return m_open = openError.isEmpty();
    }
    bool isOpen() const override { return m_open; }
    std::optional<AccessPointChoice> choose() override
    {
        ++asked;
        return choice;
    }
    QString openError;
    std::optional<AccessPointChoice> choice;
    int asked = 0;

private:
    bool m_open = false;
};

// The check cycle in dial-up mode against a connection service in fake time.
class ControllerDialUpTest : public ControllerTest
{
protected:
    ControllerDialUpTest()
        : backend(m_timers)
    {
        settings.writeInteger("Config", "DialMode", 1);
        settings.writeString("Config", "AP", "MyISP");
        settings.writeString("Config", "SMTP", "smtp.example.jp");
    }

    Controller &start(AccessPointSelector *selector = nullptr)
    {
        return make([this, selector](Controller &c) {
            c.setDialUp(&backend, &power);
            if (selector)
                c.dialUp().setSelector(selector);
            // What the panel showed, change by change.
            QObject::connect(&c, &Controller::dialUpChanged, [this, &c] {
                const DialPanel &p = c.dialUp().panel();
                if (details.isEmpty() || details.last() != p.detail)
                    details << p.detail;
                if (statuses.isEmpty() || statuses.last() != p.status)
                    statuses << p.status;
            });
        });
    }

    FakeDialUpBackend backend;
    RefusingPowerOff power;
    QStringList details;
    QStringList statuses;
};

TEST_F(ControllerDialUpTest, ABusyLineIsDialledReDialTimesWithTheCountdownBetween)
{
    backend.line = FakeDialUpBackend::Line::Busy;
    Controller &c = start();
    c.checkNow();

    EXPECT_EQ(backend.dials, 3);
    EXPECT_EQ(details.filter("DialTry").join(','), "DialTry 1 / 3,DialTry 2 / 3,DialTry 3 / 3");
    QStringList countdown;
    for (int s = 10; s >= 1; --s)
        countdown << QStringLiteral("Waiting redial %1").arg(s);
    // A countdown between the attempts, none after the last one.
    EXPECT_EQ(statuses.filter("Waiting redial"), countdown + countdown);
    EXPECT_EQ(statuses.last(), "Connect Failed");
    EXPECT_EQ(provider.downloads, 0);
    EXPECT_EQ(c.strip().display().dateLabel(), "ConnectNG");
    EXPECT_EQ(c.strip().marker(), "x");
}

TEST_F(ControllerDialUpTest, CancelInTheDialDialogStopsAtOnce)
{
    backend.line = FakeDialUpBackend::Line::UserCancels;
    Controller &c = start();
    c.checkNow();
    EXPECT_EQ(backend.dials, 1);
    EXPECT_TRUE(statuses.filter("Waiting redial").isEmpty());
    EXPECT_EQ(provider.downloads, 0);
    EXPECT_EQ(c.strip().display().dateLabel(), "ConnectNG");
}

TEST_F(ControllerDialUpTest, APeriodicCheckNeverDials)
{
    settings.writeInteger("Config", "RoundTime", 1);
    Controller &c = start();
    m_timers.advance(50 + 5 * 60000);
    EXPECT_EQ(backend.dials, 0);
    EXPECT_EQ(provider.downloads, 0);
    EXPECT_EQ(c.strip().marker(), "");
}

TEST_F(ControllerDialUpTest, AnExistingConnectionIsUsedAndLeftUp)
{
    settings.writeInteger("Config", "RoundTime", 1);
    backend.addConnection("MyISP");
    Controller &c = start();
    m_timers.advance(50);
    // The minute tick sees the line: the OK button hangs it up.
    EXPECT_TRUE(c.dialUp().connected());
    EXPECT_EQ(strip::okButton(c.strip().stripState()).text, "OFF");
    m_timers.advance(60000);
    EXPECT_GE(provider.downloads, 1);
    c.checkNowKeepLine();
    EXPECT_EQ(backend.dials, 0);
    EXPECT_TRUE(backend.hangUps.isEmpty());
    // "接-ﾁｪｯｸ-送-断" hangs up even a line it found up.
    c.checkNow();
    EXPECT_EQ(backend.hangUps.size(), 1);
    EXPECT_TRUE(backend.activeConnections().isEmpty());
}

TEST_F(ControllerDialUpTest, ADialledLineIsTimedAndGoesDownWithTheDisconnectTimer)
{
    Controller &c = start();
    m_timers.advance(50);
    c.checkNowKeepLine();
    EXPECT_EQ(backend.dials, 1);
    EXPECT_EQ(provider.downloads, 1);
    ASSERT_EQ(backend.activeConnections().size(), 1);
    EXPECT_EQ(c.dialUp().panel().detail, "28.8 Kbps");
    c.dialUp().toggleCutTimer(10);
    // The minute tick takes the line as up and starts timing it.
    m_timers.advance(60000);
    ASSERT_TRUE(c.dialUp().connected());
    m_timers.advance(20000);
    EXPECT_EQ(c.strip().display().dateLabel(), "+ ");
    EXPECT_EQ(c.strip().display().timeLabel(), "0:00:20");
    m_timers.advance(9 * 60000);
    EXPECT_TRUE(backend.activeConnections().isEmpty());
    EXPECT_EQ(c.dialUp().cutMinutes(), 0);
}

TEST_F(ControllerDialUpTest, AHangUpThatNeverEndsIsReportedAndTheProgramRunsOn)
{
    backend.hangUpMs = -1;
    settings.writeString("Plan", "2026/12/06 08:06 00", "0 0 @TimeSignal@");
    Controller &c = start();
    m_timers.advance(50);
    c.checkNow();
    EXPECT_EQ(provider.downloads, 1);
    EXPECT_TRUE(m_messenger.messages.contains(ConnectionControl::CannotHangUpText));
    EXPECT_EQ(c.strip().marker(), "  ");
    // The waits pumped events and had an end.
    EXPECT_LE(m_pump.waitedMs, 2 * 60 * 1000);
    // The stuck hang-up blocks the next one only for its bounded wait.
    m_messenger.messages.clear();
    m_timers.advance(60000);
    c.hangUp();
    EXPECT_TRUE(m_messenger.messages.contains(ConnectionControl::CannotHangUpText));
    // The minute tick runs again: the time signal of 8:06 is taken.
    m_timers.advance(4 * 60000);
    EXPECT_FALSE(settings.contains("Plan", "2026/12/06 08:06 00"));
}

TEST_F(ControllerDialUpTest, TheSelectorNamesTheEntryAndTheAccountOfEachDial)
{
    ScriptedSelector selector;
    selector.choice = AccessPointChoice { "会社", "Office", "pop.office.example", "", "ken", "secret", true };
    Controller &c = start(&selector);
    QList<Settings> accounts;
    QObject::connect(&c, &Controller::providerSettingsChanged, [&](const Settings &s) { accounts << s; });
    m_timers.advance(50);
    c.checkNowKeepLine();
    ASSERT_EQ(backend.activeConnections().size(), 1);
    EXPECT_EQ(backend.activeConnections().first().entryName, "Office");
    EXPECT_EQ(c.dialUp().panel().title, "会社");
    ASSERT_EQ(accounts.size(), 1);
    EXPECT_EQ(accounts[0].Host, "pop.office.example");
    EXPECT_EQ(accounts[0].SMTP, "pop.office.example");
    EXPECT_EQ(accounts[0].UserID, "ken");
    EXPECT_TRUE(accounts[0].Apop);
    EXPECT_EQ(provider.downloads, 1);
    // The stored settings stay the user's own.
    EXPECT_EQ(settings.readString("Config", "SMTP", ""), "smtp.example.jp");

    // Giving up in the selector gives up the dial, without an error.
    m_timers.advance(60000);
    c.hangUp();
    ASSERT_TRUE(backend.activeConnections().isEmpty());
    selector.choice.reset();
    const int downloads = provider.downloads;
    c.checkNow();
    EXPECT_EQ(selector.asked, 2);
    EXPECT_EQ(backend.dials, 1);
    EXPECT_EQ(provider.downloads, downloads);
    EXPECT_EQ(c.strip().marker(), "");
    EXPECT_NE(c.strip().display().dateLabel(), "ConnectNG");
}

TEST_F(ControllerDialUpTest, ASelectorThatCannotBeUsedIsReportedOnceAndTheEntryIsDialled)
{
    ScriptedSelector selector;
    selector.openError = "SelAp.so は他のユーザーが書き換えられるので読み込みません。";
    Controller &c = start(&selector);
    EXPECT_EQ(m_messenger.messages.count(selector.openError), 1);
    m_timers.advance(50);
    c.checkNowKeepLine();
    EXPECT_EQ(selector.asked, 0);
    ASSERT_EQ(backend.activeConnections().size(), 1);
    EXPECT_EQ(backend.activeConnections().first().entryName, "MyISP");
}

TEST_F(ControllerDialUpTest, WithoutTheServiceItSaysSoAndChecksAsOnALan)
{
    backend.reachable = false;
    Controller &c = start();
    EXPECT_TRUE(m_messenger.messages.contains(ConnectionControl::MissingServiceText));
    c.checkNow();
    EXPECT_EQ(provider.downloads, 1);
    EXPECT_EQ(backend.dials, 0);
    c.dialUp().AutoPowerOFF();
    EXPECT_EQ(power.calls, 1);
    EXPECT_EQ(m_messenger.messages.last(), ConnectionControl::PowerOffText + "\r\nAccess denied");
}

} // namespace
} // namespace vesk::test
