#include "app/Controller.h"

#include "app/settings/RegRead.h"
#include "app/settings/SettingsStore.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/GlobalAtoms.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"
#include "session/ProtocolMonitor.h"
#include "session/SessionState.h"
#include "store/MessageStore.h"

namespace vesk {

Controller::Controller(const Parts &parts, QString programName)
    : m_clock(parts.clock)
    , m_timers(parts.timers)
    , m_pump(parts.pump)
    , m_messenger(parts.messenger)
    , m_settingsStore(parts.settingsStore)
    , m_store(parts.store)
    , m_atoms(parts.atoms)
    , m_session(parts.session)
    , m_monitor(parts.monitor)
    , m_programName(std::move(programName))
    , m_timMin(parts.timers.create())
    , m_timSec(parts.timers.create())
    , m_display(parts.clock)
{
    m_timMin->setCallback([this] { timMinTimer(); });
    m_timSec->setInterval(1000);
    m_timSec->setCallback([this] { timSecTimer(); });
}

Controller::~Controller() = default;

bool Controller::FormCreate()
{
    m_atoms.remove(TalkedAtom);
    if (!m_programName.isEmpty())
        m_atoms.add(m_programName);
    m_starting = true;
    m_lastTime = QStringLiteral("0/0 0:00");
    m_store.createFolders(m_messenger);

    RetMain();
    DispSet(DisplayState::Normal);
    m_session.marker.clear();
    m_starting = false;
    DispSet(DisplayState::Normal);
    return true;
}

void Controller::RetMain()
{
    // A provider session still open is closed and the local servers stopped
    // before anything is read; Setup brings back what the settings say.
    if (m_provider && m_provider->clientActive())
        m_provider->closeClient();
    if (m_servers && m_serversRunning)
        m_servers->stopAll();
    m_serversRunning = m_mailer2Running = false;

    RegReadInput input;
    input.lastTime = m_lastTime;
    m_settings = RegRead(m_settingsStore, m_messenger, input);
    m_lastTime = m_settings.LastTime;
    m_monitor.setPassword(m_settings.Password);
    m_display.setFlags({m_settings.Wareki, m_settings.Seireki, m_settings.Date, m_settings.Week, m_settings.Time,
                        m_settings.Close});
    if (m_settingsListener)
        m_settingsListener(m_settings);
    Setup();
}

void Controller::Setup()
{
    m_showBox = false;
    m_sending = false;
    m_session.checkTrigger = TriggerPeriodic;

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
            m_messenger.beep();
            m_messenger.message(QStringLiteral("メーラー１とメーラー２のポート番号がダブっています。\r\n"
                                               "どちらかのポート番号を違う番号に変更して下さい。\r\n"
                                               "それらを修正して、Veskを再立ち上げしてください。"));
            m_session.marker.clear();
            m_servers->stopAll();
            m_serversRunning = m_mailer2Running = false;
        } else {
            m_servers->startMailer1();
            m_serversRunning = true;
            if (m_settings.DevideON) {
                m_servers->startMailer2();
                m_mailer2Running = true;
            }
        }
        if (anyMailHeld())
            m_showBox = true;
    } else {
        m_servers->stopAll();
        m_serversRunning = m_mailer2Running = false;
    }
}

void Controller::MyIdle()
{
    if (m_closeRequested) {
        FormCloseQuery();
        return;
    }
    m_timMin->setInterval(StartUpRhythm);
    m_timMin->start();
}

void Controller::startMinuteTimer()
{
    if (!m_closeRequested)
        m_timMin->start();
}

void Controller::stopMinuteTimer()
{
    m_timMin->stop();
}

int Controller::minuteInterval() const
{
    return m_timMin->interval();
}

bool Controller::minuteTimerActive() const
{
    return m_timMin->isActive();
}

void Controller::DispSet(int mode)
{
    if (m_closeRequested)
        return;
    if (m_newMailCount < 1 && !m_mailAnnounced)
        m_display.setMailColour(false);
    m_display.dispSet(mode);
    if (mode == DisplayState::NonMail || mode == DisplayState::Password)
        m_session.marker.clear();
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
    if (m_display.dateLabel() == QLatin1String("How now") && m_questionOpen) {
        m_messenger.answerOpenQuestion(m_display.mode() == DisplayState::HowNow ? Messenger::Answer::Ok
                                                                               : Messenger::Answer::Yes);
        m_questionOpen = false;
    }
    m_holdCount = m_holdSeconds = 0;
    m_timSec->stop();
    DispSet(DisplayState::Normal);
}

int Controller::boxCount(Box box) const
{
    return m_store.checkDir(box).count;
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
    s.display = m_display.statusText();
    s.marker = m_session.marker;
    s.newMail = m_newMailCount;
    s.inBox = boxCount(Box::InBox);
    s.inBox1 = boxCount(Box::InBox1);
    s.inBox2 = boxCount(Box::InBox2);
    s.outBox = boxCount(Box::OutBox);
    return s;
}

// --- What the mail dialogues ask of the controller ---

void Controller::closeLocalServers()
{
    if (m_servers && m_serversRunning)
        m_servers->closeForSession();
}

void Controller::reopenLocalServers()
{
    if (m_servers && m_serversRunning && m_settings.ServerON)
        m_servers->reopenAfterSession();
}

QString Controller::devideGo(const QString &fileName)
{
    if (m_settings.DevideON && m_distributor)
        return m_distributor(fileName);
    return QStringLiteral("stgReceive");
}

void Controller::connError()
{
    m_session.marker = QStringLiteral("x");
    DispSet(DisplayState::ConnectNG);
    hold(2);
}

void Controller::clearNewMailIndication()
{
    m_newMailCount = 0;
    m_mailAnnounced = false;
    m_animationOn = false;
    m_animationMinutes = 0;
    m_display.setMailColour(false);
    if (!m_session.running())
        DispSet(DisplayState::Normal);
    m_atoms.remove(TalkedAtom);
}

void Controller::acknowledgeMail()
{
    clearNewMailIndication();
    DispSet(DisplayState::Normal);
}

void Controller::checkStarted(const QString &lastTime)
{
    m_checkDone = true;
    stopMinuteTimer();
    m_lastTime = lastTime;
}

void Controller::upLoad(int checkTrigger)
{
    // A mailer's dialogue that ends inside a running cycle: that cycle, or
    // the next one, sends what it handed in.
    if (!checkRefusal().isEmpty())
        return;
    m_session.checkTrigger = checkTrigger;
    UpLoad();
}

} // namespace vesk
