#pragma once

#include "app/ProviderLink.h"
#include "app/StripController.h"
#include "mail/EditorGate.h"
#include "platform/Sound.h"
#include "settings/ProviderAccount.h"
#include "settings/Settings.h"
#include "store/MessageStore.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace vesk {

class AccessPointSelector;
class AccessoriesController;
class BoxWindowController;
class ConnectionControl;
class DialUpBackend;
class DialUpEntries;
class GlobalAtoms;
class LauncherController;
class MailHost;
class MailerController;
class PlanController;
class PowerOff;
struct DialPanel;
class MailView;
class SettingsController;
class SettingsStore;
struct NotePlaces;
class Timer;
struct CoreServices;

// The check cycle: start-up, the minute tick with its three rhythms, the
// check cycle and the provider link, the new-mail indication, the display
// hold and the end. The features beside it (the strip's display, the mailers,
// plans and the calendar, the launcher, the accessories, the settings
// dialog) are controllers of their own that it makes and tells of start,
// settings and end; each sees only a small Program of it. The strip draws
// its state from their signals; the headless run drives it alone.
// Commands from every source (menu, tray, hot key, timer, command line) pass
// the one guard of checkRefusal().
class Controller final : public QObject
{
    Q_OBJECT

public:
    // Rhythms of the minute timer.
    static constexpr int StartUpRhythm = 50;
    static constexpr int FirstDelayRhythm = 1000;
    static constexpr int MinuteRhythm = 60000;

    // The windows the controller asks for.
    enum class Window { Box, Settings, Monitor, Launcher };
    Q_ENUM(Window)

    Controller(const CoreServices &core, SettingsStore &settingsStore, GlobalAtoms &atoms,
        QString programName, QObject *parent = nullptr);
    ~Controller() override;

    // What the provider session and the local servers are given as their
    // host and their view.
    MailHost &mailHost();
    MailView &mailView();

    void setProvider(ProviderLink *provider) { m_provider = provider; }
    void setLocalServers(LocalServerLink *servers) { m_servers = servers; }
    // The distribution of a freshly stored message (DevideGo): where it went
    // and its name there.
    using Distribution = std::function<std::pair<Box, QString>(const QString &fileName)>;
    void setDistributor(Distribution distributor) { m_distributor = std::move(distributor); }
    // Plays a wave file; an empty name means the sound theme's sound of the event.
    using SoundPlayer = std::function<void(const QString &waveFile, SoundEvent event)>;
    void setSoundPlayer(SoundPlayer play) { m_sound = std::move(play); }

    // --- Commands ---

    // FormCreate: folders, settings, servers; the minute timer starts from
    // the event loop (MyIdle).
    void start();
    // "接-ﾁｪｯｸ-送-断(&C)": check and send, then hang up. False (with a beep)
    // when refused.
    bool checkNow();
    // "接-ﾁｪｯｸ-送(&O)": check and send, the line stays up.
    bool checkNowKeepLine();
    // Why a check or send cycle cannot start now; empty when it can.
    QString checkRefusal() const;
    // "Vesk    ON/OFF(&D)": the new-mail indication off, or on again.
    void toggleMailIndication();
    // "終了(&X)": ends the program unless the user keeps it running (mail
    // left to send, a launcher entry starting). Returns whether it ends.
    bool quit();
    // The wall clock jumped (set, or a resume from suspend): the minute tick
    // is aimed at the new minute, and a minute that began is ticked now.
    void wallClockChanged();
    // A left click on the tray icon: a manual check on a LAN.
    void trayClicked();
    // A click on the animation area: the animation ends, the mail stays.
    void stopAnimation();
    // A command whose feature this version does not have yet: says so.
    void notYetAvailable(const QString &feature);

    // The strip's display, its menu flags, position and plan alert
    // (StripController.cpp).
    StripController &strip() { return *m_strip; }
    const StripController &strip() const { return *m_strip; }

    // The settings dialog: its page, the rule offered to it, its connection
    // test and the erasing of every setting (SettingsController.cpp).
    SettingsController &settingsDialog() { return *m_settingsDialog; }

    // --- Dial-up (ControllerDialUp.cpp) ---

    // The platform's connection service and its power-off; without them the
    // program runs as on a LAN.
    void setDialUp(DialUpBackend *backend, PowerOff *powerOff);
    // spbOKClick on "OFF": the line is hung up.
    void hangUp();
    // The dial-up line and its panel: the disconnect timer, the access-point
    // selector, the entries, the clicks on the title bar and the panel.
    ConnectionControl &dialUp() { return *m_dialUp; }
    const ConnectionControl &dialUp() const { return *m_dialUp; }

    // The mailers and their start passwords (MailerController.cpp).
    MailerController &mailers() { return *m_mailers; }
    const MailerController &mailers() const { return *m_mailers; }

    // Plans, reminders and the calendar (PlanController.cpp, PlanControllerCalendar.cpp).
    PlanController &planner() { return *m_planner; }
    const PlanController &planner() const { return *m_planner; }
    // The box window's side: whether it is open, its caption, the news of
    // the boxes, the send hold and PopUpCheck (BoxWindowController.cpp).
    BoxWindowController &boxWindow() { return *m_boxWindow; }
    const BoxWindowController &boxWindow() const { return *m_boxWindow; }

    // Sticky notes and the slideshow (AccessoriesController.cpp).
    AccessoriesController &accessories() { return *m_accessories; }
    // The launcher, its hot keys and the programs it starts (LauncherController.cpp).
    LauncherController &launcher() { return *m_launcher; }
    const LauncherController &launcher() const { return *m_launcher; }

    // --- State ---

    // What `vesk --status` prints.
    struct Status
    {
        QString display;
        QString marker;
        int newMail = 0;
        int inBox = 0, inBox1 = 0, inBox2 = 0, outBox = 0;
        // Out-box files the last send could not send.
        int unsendable = 0;
        // Messages stored and left at the provider (LeaveOnServer).
        int kept = 0;
    };
    Status status() const;

    const Settings &settings() const { return m_settings; }
    QString lastTime() const { return m_lastTime; }
    int newMailCount() const { return m_newMailCount; }
    bool mailAnnounced() const { return m_mailAnnounced; }
    bool closeRequested() const { return m_closeRequested; }

signals:
    // The new-mail count, the indication and the animation.
    void mailIndicationChanged();
    // The dial-up panel, the line or the OK button's state changed.
    void dialUpChanged();
    void windowRequested(vesk::Controller::Window window);
    // Bring the strip to the front (the socket layer is broken).
    void raiseRequested();
    // Read at start and after every settings editor; the engines and the
    // windows take their values from here.
    void settingsChanged(const vesk::Settings &settings);
    // The close handling is done: the program may end.
    void finished();
    // What the provider session is to use from now on: the connection
    // test's account, and the loaded settings again after it.
    void providerSettingsChanged(const vesk::Settings &settings);

private:
    class EngineHost;
    friend class EngineHost;
    class DialUpHost;
    friend class DialUpHost;
    class PlanProgram;
    friend class PlanProgram;
    class LauncherProgram;
    friend class LauncherProgram;
    class SettingsProgram;
    friend class SettingsProgram;
    class MailerProgram;
    friend class MailerProgram;
    class StripProgram;
    friend class StripProgram;
    class BoxWindowProgram;
    friend class BoxWindowProgram;

    // Marks a check or send cycle as running for as long as it lives.
    class CycleScope final
    {
    public:
        explicit CycleScope(Controller &controller)
            : m_controller(controller)
        {
            ++m_controller.m_cycleDepth;
        }
        ~CycleScope() { --m_controller.m_cycleDepth; }
        CycleScope(const CycleScope &) = delete;
        CycleScope &operator=(const CycleScope &) = delete;

    private:
        Controller &m_controller;
    };

    // The operations of the check cycle and the minute tick.
    void Setup();
    void RetMain();
    void MyIdle();
    void timMinTimer();
    void minuteTimerFired();
    void setMinuteRhythm(int rhythm);
    void armMinuteTimer();
    void timSecTimer();
    bool manualCheck(int trigger);
    void ManualON();
    void UpLoad();
    void AfterDown();
    bool DialUpOn();
    void runDownLoad();
    void askAndMaybeSend();
    void FormCloseQuery();
    void applySettings(bool hadAccount);

    // What the engines ask of their host.
    void closeLocalServers();
    void reopenLocalServers();
    std::pair<Box, QString> devideGo(const QString &fileName);
    void connError();
    void clearNewMailIndication();
    void mailerCycle(int checkTrigger);
    void checkStarted(const QString &lastTime);

    void startMinuteTimer();
    void stopMinuteTimer();
    void hold(int seconds);
    void playMailSound();
    int boxCount(Box box) const;
    bool anyMailHeld() const;
    void setNewMail(int count, bool announced, bool animation);
    void checkBeforeMailer();

    const CoreServices &m_core;
    SettingsStore &m_settingsStore;
    GlobalAtoms &m_atoms;
    QString m_programName;
    std::unique_ptr<EngineHost> m_engineHost;
    std::unique_ptr<DialUpHost> m_dialUpHost;
    std::unique_ptr<ConnectionControl> m_dialUp;

    ProviderLink *m_provider = nullptr;
    LocalServerLink *m_servers = nullptr;
    Distribution m_distributor;
    SoundPlayer m_sound;

    std::unique_ptr<Timer> m_timMin;
    std::unique_ptr<Timer> m_timSec;

    Settings m_settings;
    std::unique_ptr<StripProgram> m_stripProgram;
    std::unique_ptr<StripController> m_strip;
    std::unique_ptr<BoxWindowProgram> m_boxWindowProgram;
    std::unique_ptr<BoxWindowController> m_boxWindow;
    QString m_lastTime = QStringLiteral("0/0 0:00");
    int m_roundCount = 0;
    // What the minute timer is doing; its interval in the minute rhythm is
    // whatever is left to the next minute of the wall clock.
    int m_minuteRhythm = StartUpRhythm;
    QDateTime m_lastMinuteTick;
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
    EditorGate m_editors;
    bool m_closeRequested = false;
    bool m_showBox = false;
    bool m_serversRunning = false;
    bool m_questionOpen = false;
    bool m_accountHintShown = false;
    bool m_closed = false;

    std::unique_ptr<PlanProgram> m_planProgram;
    std::unique_ptr<PlanController> m_planner;
    std::unique_ptr<AccessoriesController> m_accessories;
    std::unique_ptr<LauncherProgram> m_launcherProgram;
    std::unique_ptr<LauncherController> m_launcher;
    std::unique_ptr<SettingsProgram> m_settingsProgram;
    std::unique_ptr<SettingsController> m_settingsDialog;
    std::unique_ptr<MailerProgram> m_mailerProgram;
    std::unique_ptr<MailerController> m_mailers;
    bool m_starting = false;
    bool m_serversClosedForSession = false;
};

} // namespace vesk
