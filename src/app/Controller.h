#pragma once

#include "app/ProviderLink.h"
#include "app/display/DisplayState.h"
#include "app/settings/Settings.h"
#include "session/MailHost.h"

#include <QString>

#include <functional>
#include <memory>

namespace vesk {

class Clock;
class EventPump;
class GlobalAtoms;
class Messenger;
class MessageStore;
class ProtocolMonitor;
class SettingsStore;
class Timer;
class TimerFactory;
struct SessionState;

// The resident program's state and operations without any window: start-up,
// the minute tick with its three rhythms, the check cycle, the new-mail
// indication, the display hold and the end. Windows present it; the headless
// run drives it alone.
class Controller final : public MailHost
{
public:
    struct Parts
    {
        const Clock &clock;
        TimerFactory &timers;
        EventPump &pump;
        Messenger &messenger;
        SettingsStore &settingsStore;
        MessageStore &store;
        GlobalAtoms &atoms;
        SessionState &session;
        ProtocolMonitor &monitor;
    };

    // Rhythms of the minute timer.
    static constexpr int StartUpRhythm = 50;
    static constexpr int FirstDelayRhythm = 1000;
    static constexpr int MinuteRhythm = 60000;

    static inline const QString TalkedAtom = QStringLiteral("VeskTalked");

    Controller(const Parts &parts, QString programName);
    ~Controller() override;

    void setProvider(ProviderLink *provider) { m_provider = provider; }
    void setLocalServers(LocalServerLink *servers) { m_servers = servers; }
    // The distribution of a freshly stored message (DevideGo).
    void setDistributor(std::function<QString(const QString &)> distributor) { m_distributor = std::move(distributor); }
    // Where the settings reach the parts that read them (session, servers).
    void setSettingsListener(std::function<void(const Settings &)> listener) { m_settingsListener = std::move(listener); }
    // Called once the program may end (after the close handling).
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }
    // Opens the settings dialog; false where there is none (headless).
    void setSettingsDialog(std::function<bool()> open) { m_settingsDialog = std::move(open); }
    // Plays a wave file; an empty name means the standard beep.
    void setSoundPlayer(std::function<void(const QString &)> play) { m_sound = std::move(play); }

    // Start-up without windows: atoms, folders, settings, Setup, then the
    // idle step that starts the minute timer.
    bool FormCreate();
    void Setup();
    void RetMain();
    void MyIdle();

    void timMinTimer();
    void timSecTimer();

    // The manual commands "接-ﾁｪｯｸ-送-断(&C)" (trigger 1) and "接-ﾁｪｯｸ-送(&O)" (2),
    // from any source: menu, tray, hot key, command line. Refused (false,
    // with a beep) only while a check or send cycle runs or the program ends.
    bool mnuManual1Click();
    bool mnuManual2Click();
    // Why a check or send cycle cannot start now; empty when it can.
    QString checkRefusal() const;
    void ManualON();
    void UpLoad();
    void AfterDown();
    bool DialUpOn();
    // The download as the checks run it (marks the check done, records its time).
    void runDownLoad();

    // The end command. Mail left in the out-box is kept for next time unless
    // the user answers the question about it with No. Returns whether the
    // program is ending.
    bool mnuPerentClick();
    void FormCloseQuery();

    // Acknowledges the new-mail indication (the toggle's off half).
    void acknowledgeMail();

    // MailHost
    void closeLocalServers() override;
    void reopenLocalServers() override;
    QString devideGo(const QString &fileName) override;
    bool boxWindowOpen() const override { return false; }
    void showBoxWindow() override { m_showBox = true; }
    void setDisplayMode(int mode) override { DispSet(mode); }
    void connError() override;
    void clearNewMailIndication() override;
    void upLoad(int checkTrigger) override;
    void checkStarted(const QString &lastTime) override;
    void restartMinuteTimer() override { startMinuteTimer(); }

    void DispSet(int mode);

    // What `vesk --status` prints.
    struct Status
    {
        QString display;
        QString marker;
        int newMail = 0;
        int inBox = 0, inBox1 = 0, inBox2 = 0, outBox = 0;
    };
    Status status() const;

    const Settings &settings() const { return m_settings; }
    const DisplayState &display() const { return m_display; }
    QString lastTime() const { return m_lastTime; }
    int roundCount() const { return m_roundCount; }
    bool checkDone() const { return m_checkDone; }
    bool mailAnnounced() const { return m_mailAnnounced; }
    bool animationOn() const { return m_animationOn; }
    bool closeRequested() const { return m_closeRequested; }
    bool sending() const { return m_sending; }
    bool showBox() const { return m_showBox; }
    int newMailCount() const { return m_newMailCount; }
    int minuteInterval() const;
    bool minuteTimerActive() const;
    bool localServersRunning() const { return m_serversRunning; }

private:
    void startMinuteTimer();
    void stopMinuteTimer();
    void hold(int seconds);
    void playMailSound();
    int boxCount(Box box) const;
    bool anyMailHeld() const;
    void askAndMaybeSend();
    bool manualCheck(int trigger);
    // Marks a check or send cycle as running for as long as it lives.
    class CycleScope final
    {
    public:
        explicit CycleScope(Controller &controller) : m_controller(controller) { ++m_controller.m_cycleDepth; }
        ~CycleScope() { --m_controller.m_cycleDepth; }
        CycleScope(const CycleScope &) = delete;
        CycleScope &operator=(const CycleScope &) = delete;

    private:
        Controller &m_controller;
    };

    const Clock &m_clock;
    TimerFactory &m_timers;
    EventPump &m_pump;
    Messenger &m_messenger;
    SettingsStore &m_settingsStore;
    MessageStore &m_store;
    GlobalAtoms &m_atoms;
    SessionState &m_session;
    ProtocolMonitor &m_monitor;
    QString m_programName;

    ProviderLink *m_provider = nullptr;
    LocalServerLink *m_servers = nullptr;
    std::function<QString(const QString &)> m_distributor;
    std::function<void(const Settings &)> m_settingsListener;
    std::function<void()> m_quit;
    std::function<bool()> m_settingsDialog;
    std::function<void(const QString &)> m_sound;

    std::unique_ptr<Timer> m_timMin;
    std::unique_ptr<Timer> m_timSec;

    Settings m_settings;
    DisplayState m_display;
    QString m_lastTime = QStringLiteral("0/0 0:00");
    bool m_starting = true;
    int m_roundCount = 0;
    int m_firstDelayLeft = 0;
    bool m_checkDone = false;
    int m_newMailCount = 0;
    bool m_mailAnnounced = false;
    bool m_animationOn = false;
    int m_animationMinutes = 0;
    int m_animationLimit = 30;
    int m_holdSeconds = 0;
    int m_holdCount = 0;
    bool m_sending = false;
    int m_cycleDepth = 0;
    bool m_dialogOpen = false;
    bool m_closeRequested = false;
    bool m_showBox = false;
    bool m_serversRunning = false;
    bool m_mailer2Running = false;
    bool m_questionOpen = false;
    bool m_accountHintShown = false;
    bool m_closed = false;
};

} // namespace vesk
