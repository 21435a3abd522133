#include "dialup/ConnectionControl.h"
#include "dialup/ConnectionHost.h"
#include "dialup/DialStates.h"
#include "dialup/LineTexts.h"
#include "display/DisplayState.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/Messenger.h"
#include "platform/Timer.h"

#include <algorithm>

namespace vesk {

// --- The component's events and the line's state ---

void ConnectionControl::DialUpDialing()
{
    m_dialPhase = 1;
}

void ConnectionControl::DialUpAsyncEvent(int state, int error)
{
    Q_UNUSED(state);
    if (error == 0)
        return;
    // Cancelled by the user: no more attempts; anything else may redial.
    m_core.state.marker = error == 631 ? QStringLiteral("x") : QStringLiteral(" ");
    const QString detail = QStringLiteral("Connect Error");
    DialDisp(nullptr, nullptr, &detail, nullptr);
}

void ConnectionControl::DialUpError()
{
    m_core.state.marker = QStringLiteral("x");
}

void ConnectionControl::DialUpActiveConnection(const ActiveConnection &c)
{
    m_activeHandle = c.handle;
    m_deviceName = c.deviceName;
    QString text = c.statusText;
    switch (c.state) {
    case dialstate::OpenPort:
        m_dialPhase = 2;
        break;
    case dialstate::PortOpened:
    case dialstate::ConnectDevice:
        m_dialPhase = 3;
        break;
    case dialstate::AllDevicesConnected:
        m_dialPhase = 4;
        text = QStringLiteral("All connected");
        break;
    case dialstate::Authenticate:
    case dialstate::StartAuthentication:
        m_dialPhase = 5;
        text = QStringLiteral("Authenticating");
        break;
    case dialstate::Authenticated:
        m_dialPhase = 6;
        break;
    case dialstate::Connected:
        m_dialPhase = 7;
        break;
    default:
        m_dialPhase = 100;
        break;
    }
    if (text.contains(QStringLiteral("操作は")))
        text.clear();
    if (m_dialPhase < 7)
        DialDisp(nullptr, &text, nullptr, &c.entryName);
    else
        DialDisp(nullptr, nullptr, nullptr, &c.entryName);
    m_foreign = m_defNoncheck && c.entryName.trimmed() != m_ap.trimmed();
}

void ConnectionControl::refreshPhase()
{
    m_dialPhase = 0;
    QList<ActiveConnection> lines = m_dial.GetActiveConnections();
    // A LAN or wireless link is no dial-up line unless it is the entry.
    const QString ap = m_ap.trimmed();
    lines.removeIf([&](const ActiveConnection &c) { return !c.pointToPoint && c.entryName.trimmed() != ap; });
    // The configured entry's connection has the last word.
    std::stable_partition(
        lines.begin(), lines.end(), [&](const ActiveConnection &c) { return c.entryName.trimmed() != ap; });
    for (const ActiveConnection &c : std::as_const(lines))
        DialUpActiveConnection(c);
}

bool ConnectionControl::BeforeState()
{
    refreshPhase();
    return m_dialPhase >= 4 && m_dialPhase < 8;
}

bool ConnectionControl::DialState()
{
    refreshPhase();
    return m_dialPhase == 7;
}

bool ConnectionControl::ConnectState()
{
    refreshPhase();
    return m_dialPhase > 0;
}

// --- The panel ---

void ConnectionControl::DialDisp(
    const QString *title, const QString *status, const QString *detail, const QString *entry)
{
    DialPanel panel = m_panel;
    if (title)
        panel.title = *title;
    if (status)
        panel.status = *status;
    if (detail)
        panel.detail = *detail;
    if (entry)
        panel.entry = *entry;
    if (panel == m_panel)
        return;
    m_panel = panel;
    changed();
}

void ConnectionControl::setPanelShown(bool shown)
{
    if (m_panel.shown == shown)
        return;
    m_panel.shown = shown;
    changed();
}

void ConnectionControl::sessionStatus(const QString &text)
{
    if (inUse() && m_panel.shown)
        setStatus(text);
}

void ConnectionControl::showSpeed()
{
    m_dial.GetStats(m_activeHandle);
    if (m_dial.ConnectionSpeed > 0) {
        const QString speed = linetext::speed(m_dial.ConnectionSpeed);
        DialDisp(nullptr, nullptr, &speed, nullptr);
    }
}

void ConnectionControl::showTimeInTitle()
{
    if (m_timConnect->isActive())
        m_host.showConnectTime(linetext::connectTime(m_connectTicks));
}

void ConnectionControl::changed()
{
    m_host.dialUpChanged();
}

// --- The check cycle and the minute tick ---

void ConnectionControl::lookForConnection()
{
    if (inUse())
        refreshPhase();
}

void ConnectionControl::beforeCheck()
{
    m_dialledForCheck = inUse() && !DialState();
}

void ConnectionControl::checkClosed()
{
    if (!inUse())
        return;
    setStatus(QStringLiteral("Close"));
    if (!m_dialDispOn)
        setPanelShown(false);
}

void ConnectionControl::afterCheck(int checkTrigger, bool serverOn, int newMail)
{
    if (!inUse() || checkTrigger == TriggerPeriodic || !(serverOn || newMail == 0))
        return;
    // "接-ﾁｪｯｸ-送-断" always hangs up, "接-ﾁｪｯｸ-送" never; the others only
    // a line they dialled themselves.
    if (checkTrigger == TriggerManualHangUp || (checkTrigger != TriggerManual && m_dialledForCheck))
        ModemClose();
}

bool ConnectionControl::lineUp()
{
    return inUse() && DialState();
}

bool ConnectionControl::track(bool lineUp)
{
    if (!inUse())
        return false;
    bool cameUp = false;
    if (lineUp && !m_connected) {
        m_connected = true;
        cameUp = true;
        m_host.setDisplayMode(DisplayState::LineUp);
        if (!m_panel.shown && m_dialDispOn) {
            setPanelShown(true);
            m_host.setDisplayMode(DisplayState::DialPanel);
        }
        if (DialState()) {
            m_core.messenger.beep();
            showSpeed();
        }
        if (m_dialPhase == 7) {
            m_connectTicks = 0;
            m_timConnect->start();
            if (m_panel.shown)
                setStatus(QStringLiteral("Time = 0:00:00"));
            else
                m_host.showConnectTime(linetext::connectTime(0));
        }
    } else if (!lineUp && m_connected) {
        // The line dropped.
        m_timConnect->stop();
        m_connected = false;
        if (!m_panel.shown) {
            m_host.setDisplayMode(m_host.displayMode());
        } else {
            setPanelShown(false);
            m_host.setDisplayMode(DisplayState::Normal);
        }
    }
    if (m_connected && m_cutMinutes != 0 && ++m_cutCount >= m_cutMinutes) {
        m_cutCount = m_cutMinutes = 0;
        ModemClose();
        m_core.state.marker = QStringLiteral(" ");
    }
    changed();
    return cameUp;
}

void ConnectionControl::toggleCutTimer(int minutes)
{
    m_cutMinutes = m_cutMinutes == minutes ? 0 : minutes;
    m_cutCount = 0;
    changed();
}

// --- The connection time ---

void ConnectionControl::stopConnectTimer()
{
    m_timConnect->stop();
}

void ConnectionControl::timConnectTimer()
{
    ++m_connectTicks;
    if (!m_panel.shown) {
        if (m_dialMode == 0)
            return;
        // The title shows something else now.
        const QString date = m_host.dateLabel();
        const QString time = m_host.timeLabel();
        if (date == QLatin1String("Server ") || date == QLatin1String("Vesk ")
            || date == QLatin1String("Non Mail") || time.contains(QLatin1Char('<'))
            || time.contains(QLatin1Char('>')))
            return;
    }
    if (DialState() || !m_connected) {
        const QString text = linetext::connectTime(m_connectTicks);
        if (m_panel.shown)
            setStatus(QStringLiteral("Time = ") + text);
        else
            m_host.showConnectTime(text);
        if (m_connectBeep && m_connected && !m_host.holdRunning() && m_connectTicks % 6 == 0)
            m_core.messenger.beep();
    } else {
        m_timConnect->stop();
        m_connected = false;
        setPanelShown(false);
        m_host.setDisplayMode(DisplayState::Normal);
        changed();
    }
}

// --- Clicks on the strip ---

void ConnectionControl::titleClicked()
{
    if (!m_connected)
        return;
    const QString time = m_host.timeLabel();
    if (time.contains(QLatin1Char('<')) || time.contains(QLatin1Char('>'))) {
        m_core.messenger.beep();
        return;
    }
    if (m_panel.shown) {
        setPanelShown(false);
        m_host.setDisplayMode(DisplayState::Normal);
        showTimeInTitle();
        return;
    }
    setPanelShown(true);
    m_host.setDisplayMode(DisplayState::DialPanel);
    if (m_timConnect->isActive()) {
        refreshPhase();
        showSpeed();
        setStatus(QStringLiteral("Time = ") + linetext::connectTime(m_connectTicks));
    }
}

void ConnectionControl::panelClicked()
{
    const QString time = m_host.timeLabel();
    if (time.contains(QLatin1Char('<')) || time.contains(QLatin1Char('>'))) {
        m_core.messenger.beep();
        return;
    }
    setPanelShown(false);
    m_host.setDisplayMode(DisplayState::Normal);
    showTimeInTitle();
}

} // namespace vesk
