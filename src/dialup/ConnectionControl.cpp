#include "dialup/ConnectionControl.h"

#include "dialup/AccessPointSelector.h"
#include "dialup/ConnectionHost.h"
#include "dialup/DialErrors.h"
#include "dialup/DialStates.h"
#include "dialup/LineTexts.h"
#include "dialup/PowerOff.h"
#include "display/DisplayState.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"
#include "settings/Settings.h"

namespace vesk {
namespace {

constexpr int StepMs = 10;
// Waits that only the dial watchdog ends are still bounded by it.
constexpr int DialWaitRounds = ConnectionControl::DialWatchdogMs / StepMs + 100;
constexpr int HangUpRounds = 3001;

} // namespace

ConnectionControl::ConnectionControl(const CoreServices &core, ConnectionHost &host)
    : m_core(core)
    , m_host(host)
    , m_dial(core.timers, core.pump)
    , m_watchdog(core.timers.create())
    , m_timConnect(core.timers.create())
{
    m_dial.OnDialing = [this] { DialUpDialing(); };
    m_dial.OnAsyncEvent = [this](int state, int error, const QString &) { DialUpAsyncEvent(state, error); };
    m_dial.OnError = [this](int, const QString &) { DialUpError(); };
    m_watchdog->setInterval(DialWatchdogMs);
    m_watchdog->setCallback([this] { watchdogFired(); });
    m_timConnect->setInterval(ConnectTickMs);
    m_timConnect->setCallback([this] { timConnectTimer(); });
}

ConnectionControl::~ConnectionControl() = default;

void ConnectionControl::setBackend(DialUpBackend *backend)
{
    m_dial.setBackend(backend);
}

void ConnectionControl::setup(Settings &settings)
{
    m_cutMinutes = m_cutCount = 0;
    m_ap = settings.AP;
    m_reDial = settings.ReDial;
    m_reDialWait = settings.ReDialWait;
    m_dialDispOn = settings.DialDispOn;
    m_defNoncheck = settings.DefNoncheck;
    m_connectBeep = settings.ConnectBeep;
    m_available = settings.DialMode != 0 && m_dial.available();
    if (settings.DialMode != 0 && !m_available) {
        m_core.messenger.beep();
        m_core.messenger.message(MissingServiceText);
        // Without the service the checks go out as on a LAN.
        settings.DialMode = 0;
    }
    m_dialMode = settings.DialMode;
    m_apTitle.clear();
    // Loaded once, at the first setup in dial-up mode.
    if (m_dialMode > 0 && m_selector && !m_selectorTried) {
        m_selectorTried = true;
        QString why;
        if (!m_selector->open(&why) && !why.isEmpty())
            m_core.messenger.message(why);
    }
    changed();
}

bool ConnectionControl::stopped() const
{
    return cancelled() || m_core.state.failed();
}

void ConnectionControl::watchdogFired()
{
    // A dial that hangs this long is given up.
    m_watchdog->stop();
    m_dialAttempt = 1000;
    m_core.state.marker = QStringLiteral("x");
}

bool ConnectionControl::DialUpOn()
{
    SessionState &state = m_core.state;
    state.marker = QStringLiteral(".");
    if (m_host.clientActive()) {
        state.marker = QStringLiteral("x");
        return false;
    }
    if (m_dialMode > 0 && !m_available) {
        m_host.connError();
        return false;
    }
    const bool connected = m_dialMode >= 1 && DialState();
    // The line this program dialled has dropped.
    if (m_dialMode != 0 && !connected && m_connected && m_dialledByUs) {
        m_core.messenger.beep();
        m_host.mainButtonAction();
        return false;
    }
    if (m_dialMode == 1 && !connected) {
        // A periodic check never dials.
        if (state.checkTrigger == TriggerPeriodic) {
            state.marker.clear();
            return false;
        }
        if (!ModemOpen())
            return false;
    }
    if (m_dialMode > 0) {
        state.marker = QStringLiteral(".");
        if (!m_dialledByUs && !m_timConnect->isActive())
            m_host.setDisplayMode(DisplayState::Normal);
    }
    return true;
}

bool ConnectionControl::ModemOpen()
{
    if (m_dialMode == 0)
        return false;
    SessionState &state = m_core.state;
    EventPump &pump = m_core.pump;
    if (!askSelector()) {
        state.marker.clear();
        return false;
    }
    // During dialling only a dial that hangs for half an hour is ended.
    m_dialAttempt = 0;
    m_watchdog->start();
    bool result = false;
    if (m_ap.trimmed().isEmpty()) {
        m_core.messenger.beep();
        m_core.messenger.message(NoEntryText);
    } else {
        m_dial.setEntry(m_ap);
        m_dialledByUs = true;
        setPanelShown(true);
        m_host.setDisplayMode(DisplayState::DialPanel);
        const QString none = QStringLiteral("----");
        const QString title = m_apTitle.isEmpty() ? none : m_apTitle;
        while (m_dialAttempt < m_reDial) {
            state.marker = QStringLiteral(".");
            ++m_dialAttempt;
            const QString detail = QStringLiteral("DialTry %1 / %2").arg(m_dialAttempt).arg(m_reDial);
            DialDisp(&title, nullptr, &detail, &none);
            m_dial.Dial();
            if (!m_dial.ownHandle().isEmpty())
                m_activeHandle = m_dial.ownHandle();
            if (stopped())
                break;
            pump.waitUntil([&] { return BeforeState() || cancelled() || state.marker != QLatin1String("."); },
                DialWaitRounds, StepMs);
            if (BeforeState() || stopped())
                break;
            // The attempt failed: the line is cleared before the next one.
            if (!ThrdCheck())
                break;
            HangupThrd();
            pump.waitUntil([&] { return !ConnectState() || stopped(); }, 1000, StepMs);
            // No pause without another attempt after it.
            if (m_dialAttempt >= m_reDial)
                break;
            redialPause();
            if (stopped())
                break;
        }
        if (!stopped()) {
            // The watchdog still bounds a connection that never completes.
            pump.waitUntil([&] { return DialState() || cancelled() || state.marker != QLatin1String("."); },
                DialWaitRounds, StepMs);
            result = DialState();
            if (result) {
                showSpeed();
                m_connectTicks = 0;
                m_timConnect->start();
                if (m_panel.shown)
                    setStatus(QStringLiteral("Time = 0:00:00"));
            } else {
                setStatus(QStringLiteral("Connect Failed"));
            }
        } else {
            state.marker = QStringLiteral("x");
        }
    }
    m_watchdog->stop();
    if (result) {
        pump.waitUntil([] { return false; }, 20, StepMs);
        const bool mailShown
            = m_host.displayMode() == DisplayState::MailOn && state.checkTrigger != TriggerPeriodic;
        if (!m_panel.shown && !mailShown)
            m_host.setDisplayMode(DisplayState::LineUp);
    } else {
        m_host.connError();
    }
    return result;
}

// The selector, when there is one, names the access point and account of
// this dial; giving up there gives up the dial, quietly.
bool ConnectionControl::askSelector()
{
    if (!m_selector || !m_selector->isOpen())
        return true;
    // Its dialog is not to be covered by the panel.
    if (m_panel.shown) {
        setPanelShown(false);
        m_host.setDisplayMode(DisplayState::Normal);
    }
    const std::optional<AccessPointChoice> choice = m_selector->choose();
    if (!choice)
        return false;
    m_ap = choice->ap;
    m_apTitle = choice->title;
    m_host.takeOverAccount(*choice);
    return true;
}

void ConnectionControl::redialPause()
{
    const int rounds = m_reDialWait * 100;
    for (int round = 0; round < rounds && !stopped(); ++round) {
        if (round % 100 == 0)
            setStatus(QStringLiteral("Waiting redial %1").arg(m_reDialWait - round / 100));
        m_core.pump.pause(StepMs);
    }
}

void ConnectionControl::ModemClose()
{
    SessionState &state = m_core.state;
    EventPump &pump = m_core.pump;
    m_host.stopMinuteTimer();
    m_dialledByUs = false;
    m_host.setDisplayMode(DisplayState::AfterHangUp);
    if (m_host.clientActive())
        m_host.clientOff();
    if (m_dialMode > 0) {
        m_mainButtonEnabled = false;
        setStatus(QStringLiteral("Close"));
        if (ThrdCheck()) {
            HangupThrd();
            pump.waitUntil([this] { return !m_hangUpRunning; }, HangUpRounds, StepMs);
        } else {
            // The worker is stuck: ask again; the wait below tells.
            m_dial.requestHangUp(m_dial.ownHandle());
            m_dial.requestHangUp(m_activeHandle);
        }
    }
    if (ConnectState())
        pump.waitUntil([this] { return !ConnectState(); }, 3000, StepMs);
    if (ConnectState()) {
        state.marker = QStringLiteral("  ");
        m_core.messenger.beep();
        m_core.messenger.message(CannotHangUpText);
        m_dialledByUs = true;
        m_host.setDisplayMode(DisplayState::LineUp);
    } else {
        // The line is down now, not only at the next minute tick: the OK
        // button's "OFF" goes with it.
        m_connected = false;
        m_timConnect->stop();
        if (m_panel.shown && !state.failed())
            setPanelShown(false);
    }
    if (m_dialMode > 0)
        m_mainButtonEnabled = true;
    changed();
    pump.waitUntil([] { return false; }, 20, StepMs);
    if (state.running())
        state.marker.clear();
    m_host.startMinuteTimer();
}

void ConnectionControl::HangupThrd()
{
    // The hang-up runs on without holding up the program; ThrdCheck waits
    // for it within bounds.
    m_hangUpRunning = true;
    m_dial.hangUpInBackground({ m_dial.ownHandle(), m_activeHandle }, [this] { m_hangUpRunning = false; });
}

bool ConnectionControl::ThrdCheck()
{
    m_core.pump.waitUntil([this] { return !m_hangUpRunning; }, HangUpRounds, StepMs);
    if (m_hangUpRunning) {
        m_watchdog->stop();
        m_core.state.marker = QStringLiteral("x");
        return false;
    }
    return true;
}

void ConnectionControl::connErrorBranch()
{
    m_watchdog->stop();
    if (inUse() && m_core.state.checkTrigger == TriggerManualHangUp && ConnectState())
        ModemClose();
    m_dialledByUs = false;
    changed();
}

void ConnectionControl::hangUpForShutdown()
{
    if (!inUse() || !DialState())
        return;
    m_dial.requestHangUp(m_dial.ownHandle());
    m_dial.requestHangUp(m_activeHandle);
    m_core.pump.waitUntil([this] { return !DialState(); }, HangUpRounds, StepMs);
    if (DialState()) {
        m_core.messenger.beep();
        m_core.messenger.message(ShutdownHangUpText);
    } else {
        m_core.pump.pause(100);
    }
}

void ConnectionControl::AutoPowerOFF()
{
    QString reason;
    if (m_powerOff && m_powerOff->powerOff(&reason))
        return;
    m_core.messenger.beep();
    m_core.messenger.message(
        reason.isEmpty() ? PowerOffText : PowerOffText + QStringLiteral("\r\n") + reason);
}

} // namespace vesk
