#include "app/Controller.h"

#include "app/AccessoriesController.h"
#include "app/ControllerBoxWindowProgram.h"
#include "app/ControllerDialUpHost.h"
#include "app/ControllerEngineHost.h"
#include "app/ControllerLauncherProgram.h"
#include "app/ControllerMailerProgram.h"
#include "app/ControllerPlanProgram.h"
#include "app/ControllerSettingsProgram.h"
#include "app/ControllerStripProgram.h"
#include "dialup/ConnectionControl.h"
#include "mail/CoreServices.h"
#include "mail/ProtocolMonitor.h"
#include "mail/SessionState.h"
#include "plan/PlanState.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/GlobalAtoms.h"
#include "platform/GlobalHotKeys.h"
#include "platform/Messenger.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "session/KeptIds.h"
#include "settings/RegRead.h"
#include "settings/SettingsStore.h"
#include "store/MessageStore.h"

namespace vesk {

Controller::Controller(
    const CoreServices &core, SettingsStore &settingsStore, GlobalAtoms &atoms, QString programName, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_settingsStore(settingsStore)
    , m_atoms(atoms)
    , m_programName(std::move(programName))
    , m_engineHost(std::make_unique<EngineHost>(*this))
    , m_dialUpHost(std::make_unique<DialUpHost>(*this))
    , m_dialUp(std::make_unique<ConnectionControl>(core, *m_dialUpHost))
    , m_timMin(core.timers.create())
    , m_timSec(core.timers.create())
    , m_stripProgram(std::make_unique<StripProgram>(*this))
    , m_strip(std::make_unique<StripController>(core, settingsStore, atoms, *m_stripProgram))
    , m_boxWindowProgram(std::make_unique<BoxWindowProgram>(*this))
    , m_boxWindow(std::make_unique<BoxWindowController>(core, *m_boxWindowProgram))
    , m_editors(core.messenger)
    , m_planProgram(std::make_unique<PlanProgram>(*this))
    , m_planner(std::make_unique<PlanController>(core, settingsStore, *m_planProgram, m_editors))
    , m_accessories(std::make_unique<AccessoriesController>(core, settingsStore, m_settings))
    , m_launcherProgram(std::make_unique<LauncherProgram>(*this))
    , m_launcher(std::make_unique<LauncherController>(core, settingsStore, *m_launcherProgram, m_editors))
    , m_settingsProgram(std::make_unique<SettingsProgram>(*this))
    , m_settingsDialog(std::make_unique<SettingsController>(core, settingsStore, *m_settingsProgram, m_editors))
    , m_mailerProgram(std::make_unique<MailerProgram>(*this))
    , m_mailers(std::make_unique<MailerController>(core, *m_mailerProgram, *m_launcher, *m_accessories))
{
    m_timMin->setCallback([this] { minuteTimerFired(); });
    m_timSec->setInterval(1000);
    m_timSec->setCallback([this] { timSecTimer(); });
    // A launcher plan starts its entry as the launcher menu would.
    m_planner->planActions().startLauncher = [this](int entry) { m_launcher->startLauncherEntry(entry); };
    // The windows redraw the calendar with the settings read again.
    connect(this, &Controller::settingsChanged, m_planner.get(), &PlanHost::settingsChanged);
    connect(m_planner.get(), &PlanController::stickyNoteRequested, this,
        [this](const QString &date, const QString &comment) { m_accessories->reminderToStickyNote(date, comment); });
    connect(m_boxWindow.get(), &BoxWindowController::windowRequested, this,
        [this] { emit windowRequested(Window::Box); });
    connect(m_launcher.get(), &LauncherController::editorRequested, this,
        [this] { emit windowRequested(Window::Launcher); });
    connect(m_launcher.get(), &LauncherController::raiseRequested, this, &Controller::raiseRequested);
    connect(m_settingsDialog.get(), &SettingsController::dialogRequested, this,
        [this] { emit windowRequested(Window::Settings); });
    connect(m_settingsDialog.get(), &SettingsController::settingsChanged, this, &Controller::settingsChanged);
    connect(
        m_settingsDialog.get(), &SettingsController::providerSettingsChanged, this, &Controller::providerSettingsChanged);
}

Controller::~Controller() = default;

void Controller::start()
{
    // FormCreate
    m_atoms.remove(StripController::TalkedAtom);
    if (!m_programName.isEmpty())
        m_atoms.add(m_programName);
    m_lastTime = QStringLiteral("0/0 0:00");
    m_core.store.createFolders(m_core.messenger);

    m_starting = true;
    RetMain();
    m_planner->planStartUp();
    m_accessories->accessoriesStart();
    m_starting = false;
    m_strip->DispSet(DisplayState::Normal);
    m_core.state.marker.clear();
    if (m_showBox)
        m_boxWindow->showBoxWindow();
    // A line that is already up.
    m_dialUp->lookForConnection();
    // MyIdle runs once the event loop has started.
    QMetaObject::invokeMethod(this, [this] { MyIdle(); }, Qt::QueuedConnection);
}

void Controller::RetMain()
{
    // A provider session still open is closed and the local servers stopped
    // before anything is read; Setup brings back what the settings say.
    if (m_provider && m_provider->clientActive())
        m_provider->closeClient();
    if (m_servers && m_serversRunning)
        m_servers->stopAll();
    m_serversRunning = false;

    m_settingsDialog->settingsRead();
    RegReadInput input;
    input.lastTime = m_lastTime;
    input.pelmaExists = m_accessories->noteProgramPresent();
    m_settings = RegRead(m_settingsStore, m_core.messenger, input);
    m_accessories->settingsReadForAccessories();
    // Setup's dial-up part comes first: without the service the program
    // runs as on a LAN, and everything must see it so.
    m_dialUp->setup(m_settings);
    m_planner->settingsRead();
    m_lastTime = m_settings.LastTime;
    m_core.monitor.setPassword(m_settings.Password);
    m_strip->display().setFlags({ m_settings.Wareki, m_settings.Seireki, m_settings.Date, m_settings.Week,
        m_settings.Time, m_settings.Close });
    m_launcher->buildLauncher(m_starting);
    emit settingsChanged(m_settings);
    Setup();
}

void Controller::Setup()
{
    m_showBox = false;
    m_sending = false;
    m_core.state.checkTrigger = TriggerPeriodic;

    m_launcher->registerHotKeys();
    if (m_provider && m_provider->clientActive())
        m_provider->closeClient();

    if (!m_servers)
        return;
    if (m_settings.ServerON) {
        if (m_settings.AutoDevideDisp)
            m_showBox = true;
        if (m_settings.DevideON
            && (m_settings.SMTP_VeskMailer2 == m_settings.SMTP_VeskMailer1
                || m_settings.POP3_VeskMailer2 == m_settings.POP3_VeskMailer1)) {
            m_core.messenger.beep();
            m_core.messenger.message(QStringLiteral("メーラー１とメーラー２のポート番号がダブっています。\r\n"
                                               "どちらかのポート番号を違う番号に変更して下さい。\r\n"
                                               "それらを修正して、Veskを再立ち上げしてください。"));
            m_core.state.marker.clear();
            m_servers->stopAll();
            m_serversRunning = false;
        } else {
            m_servers->startMailer1();
            m_serversRunning = true;
            if (m_settings.DevideON)
                m_servers->startMailer2();
        }
        if (anyMailHeld())
            m_showBox = true;
    } else {
        m_servers->stopAll();
        m_serversRunning = false;
    }
}

void Controller::MyIdle()
{
    if (m_closeRequested) {
        FormCloseQuery();
        return;
    }
    setMinuteRhythm(StartUpRhythm);
    m_timMin->start();
}

void Controller::startMinuteTimer()
{
    // Holiday planning holds the timer until it ends.
    if (!m_closeRequested && !m_planner->holidayPlanning()) {
        armMinuteTimer();
        m_timMin->start();
    }
}

void Controller::stopMinuteTimer()
{
    m_timMin->stop();
}

void Controller::setNewMail(int count, bool announced, bool animation)
{
    if (count == m_newMailCount && announced == m_mailAnnounced && animation == m_animationOn)
        return;
    m_newMailCount = count;
    m_mailAnnounced = announced;
    m_animationOn = animation;
    if (!animation)
        m_animationMinutes = 0;
    emit mailIndicationChanged();
}

void Controller::hold(int seconds)
{
    m_holdSeconds = seconds;
    m_holdCount = 0;
    m_timSec->start();
}

void Controller::timSecTimer()
{
    if (m_holdSeconds == 0) {
        m_timSec->stop();
        return;
    }
    if (++m_holdCount < m_holdSeconds)
        return;
    // A question left alone this long gets its automatic answer.
    if (m_strip->display().dateLabel() == QLatin1String("How now") && m_questionOpen) {
        m_core.messenger.answerOpenQuestion(m_strip->display().mode() == DisplayState::HowNow ? Messenger::Answer::Ok
                                                                               : Messenger::Answer::Yes);
        m_questionOpen = false;
    }
    m_holdCount = m_holdSeconds = 0;
    m_timSec->stop();
    m_strip->DispSet(DisplayState::Normal);
}

int Controller::boxCount(Box box) const
{
    return m_core.store.checkDir(box).count;
}

bool Controller::anyMailHeld() const
{
    if (boxCount(Box::InBox) > 0 || boxCount(Box::OutBox) > 0)
        return true;
    return m_settings.DevideON && (boxCount(Box::InBox1) > 0 || boxCount(Box::InBox2) > 0);
}

Controller::Status Controller::status() const
{
    Status s;
    s.display = m_strip->display().statusText();
    s.marker = m_core.state.marker;
    s.newMail = m_newMailCount;
    s.inBox = boxCount(Box::InBox);
    s.inBox1 = boxCount(Box::InBox1);
    s.inBox2 = boxCount(Box::InBox2);
    s.outBox = boxCount(Box::OutBox);
    s.unsendable = m_core.state.unsendable;
    s.kept = KeptIds::count(m_core.store.root(), m_settings.Host, m_settings.UserID);
    return s;
}

// --- What the mail dialogues ask of the controller ---

void Controller::closeLocalServers()
{
    if (m_servers && m_serversRunning) {
        m_servers->closeForSession();
        m_serversClosedForSession = true;
    }
}

void Controller::reopenLocalServers()
{
    m_serversClosedForSession = false;
    if (m_servers && m_serversRunning && m_settings.ServerON)
        m_servers->reopenAfterSession();
}

std::pair<Box, QString> Controller::devideGo(const QString &fileName)
{
    if (m_settings.DevideON && m_distributor)
        return m_distributor(fileName);
    return { Box::InBox, fileName };
}

void Controller::connError()
{
    if (m_provider && m_provider->clientActive())
        m_provider->closeClient();
    m_dialUp->connErrorBranch();
    m_core.state.marker = QStringLiteral("x");
    m_strip->DispSet(DisplayState::ConnectNG);
    hold(2);
}

void Controller::clearNewMailIndication()
{
    setNewMail(0, false, false);
    m_strip->display().setMailColour(false);
    if (!m_core.state.running())
        m_strip->DispSet(DisplayState::Normal);
    else
        emit m_strip->displayChanged();
    m_atoms.remove(StripController::TalkedAtom);
}

void Controller::toggleMailIndication()
{
    // mnuVeskONClick
    if (m_animationOn || m_mailAnnounced) {
        if (m_boxWindow->boxWindowOpen())
            m_boxWindow->showLastCheck();
        setNewMail(0, false, false);
        m_strip->display().setMailColour(false);
        m_strip->DispSet(DisplayState::Normal);
        m_atoms.remove(StripController::TalkedAtom);
        return;
    }
    m_atoms.add(StripController::TalkedAtom);
    setNewMail(m_newMailCount, m_mailAnnounced, true);
    m_strip->DispSet(DisplayState::MailOn);
    playMailSound();
}

void Controller::applySettings(bool hadAccount)
{
    RetMain();
    m_strip->DispSet(DisplayState::Normal);
    // A new user's first account: its first check comes as at start-up, not
    // a whole round later (the start-up pass, still running, does it itself).
    if (!hadAccount && m_settings.AccountComplete && m_minuteRhythm != StartUpRhythm) {
        m_checkDone = false;
        // Counted from now: the first of these ticks is a second away.
        m_firstDelayLeft = m_settings.FirstDelay - 1;
        setMinuteRhythm(FirstDelayRhythm);
    }
    startMinuteTimer();
}

void Controller::checkStarted(const QString &lastTime)
{
    m_checkDone = true;
    stopMinuteTimer();
    m_lastTime = lastTime;
}

void Controller::mailerCycle(int checkTrigger)
{
    // A mailer's dialogue that ends inside a running cycle: that cycle, or
    // the next one, sends what it handed in.
    if (!checkRefusal().isEmpty())
        return;
    m_core.state.checkTrigger = checkTrigger;
    UpLoad();
}

} // namespace vesk
