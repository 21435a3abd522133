#pragma once

#include "dialup/DialPanel.h"
#include "dialup/TDialUp.h"
#include "platform/DialUpEntries.h"

#include <QString>

#include <memory>

namespace vesk {

class AccessPointSelector;
class ConnectionHost;
class PowerOff;
class Timer;
struct CoreServices;
struct Settings;

// Connection control: in dial-up mode it makes sure the line is up before
// a check (dialling the configured entry with retries and pauses), shows
// the progress in the dial-up panel, keeps track of the line, its time and
// the disconnect timer, and hangs up again. On a LAN it only refuses while
// a provider session is still open.
class ConnectionControl final
{
public:
    static constexpr int DialWatchdogMs = 30 * 60 * 1000;
    static constexpr int ConnectTickMs = 10000;
    static inline const QString MissingServiceText = DialUpEntries::MissingServiceText;
    static inline const QString NoEntryText
        = QStringLiteral("「各種設定」「接続方法」で接続AP名を入力してください");
    static inline const QString CannotHangUpText = QStringLiteral("Veskから切断制御できません。");
    static inline const QString ShutdownHangUpText
        = QStringLiteral("回線が断線できません。手動で断線してください。");
    static inline const QString PowerOffText
        = QStringLiteral("systemctl poweroff が使えないのでPower OFF出来ません");

    ConnectionControl(const CoreServices &core, ConnectionHost &host);
    ~ConnectionControl();

    void setBackend(DialUpBackend *backend);
    void setPowerOff(PowerOff *powerOff) { m_powerOff = powerOff; }
    // The user's access-point selector, asked before each dial (none: the
    // configured entry and account).
    void setSelector(AccessPointSelector *selector) { m_selector = selector; }

    // Setup: takes the settings. In dial-up mode without the service it
    // says so and the program runs as on a LAN (the mode is set to 0).
    void setup(Settings &settings);
    bool inUse() const { return m_dialMode != 0 && m_available; }

    bool DialUpOn();
    bool ModemOpen();
    void ModemClose();

    // The dial-up part of the connection error handling.
    void connErrorBranch();
    // FormCreate: an existing connection is looked at.
    void lookForConnection();
    // Check cycle: whether this check found the line down, the panel when
    // the session is closed, and the hang-up after the check.
    void beforeCheck();
    void checkClosed();
    void afterCheck(int checkTrigger, bool serverOn, int newMail);
    // Minute tick: the line's state, then its tracking. Returns true when
    // the line came up (the periodic count starts again).
    bool lineUp();
    bool track(bool lineUp);
    // A periodic check is not made over another entry's connection.
    bool periodicBlocked() const { return inUse() && m_foreign; }
    // A status text of the provider session for the panel.
    void sessionStatus(const QString &text);
    // The close handling hangs the line up.
    void hangUpForShutdown();
    // Clicks on the title bar and on the panel (after the double-click wait).
    void titleClicked();
    void panelClicked();
    // "切断タイマー": the minutes of the ticked item (0 none).
    void toggleCutTimer(int minutes);
    int cutMinutes() const { return m_cutMinutes; }
    void stopConnectTimer();
    // AutoPowerOFF.
    void AutoPowerOFF();

    bool connected() const { return m_connected; }
    bool mainButtonEnabled() const { return m_mainButtonEnabled; }
    const DialPanel &panel() const { return m_panel; }
    TDialUp &dialUp() { return m_dial; }
    // The entry list for the settings dialog.
    const DialUpEntries &entries() const { return m_entryList; }

private:
    class EntryList final : public DialUpEntries
    {
    public:
        explicit EntryList(TDialUp &dial)
            : m_dial(dial)
        { }
        bool available() const override { return m_dial.available(); }
        QStringList names() const override
        {
            m_dial.GetEntries();
            return m_dial.Entries();
        }

    private:
        TDialUp &m_dial;
    };

    // The steps that dialling and hanging up are made of: the line's phase
    // as the backend reports it, and the hang-up worker. Only this class
    // takes them.
    bool BeforeState();
    bool DialState();
    bool ConnectState();
    bool ThrdCheck();
    void HangupThrd();

    bool cancelled() const { return m_dialAttempt > 999; }
    bool stopped() const;
    void refreshPhase();
    void DialUpDialing();
    void DialUpAsyncEvent(int state, int error);
    void DialUpError();
    void DialUpActiveConnection(const ActiveConnection &c);
    void DialDisp(const QString *title, const QString *status, const QString *detail, const QString *entry);
    void setStatus(const QString &status) { DialDisp(nullptr, &status, nullptr, nullptr); }
    void setPanelShown(bool shown);
    void redialPause();
    bool askSelector();
    void showSpeed();
    void showTimeInTitle();
    void timConnectTimer();
    void watchdogFired();
    void changed();

    const CoreServices &m_core;
    ConnectionHost &m_host;
    TDialUp m_dial;
    EntryList m_entryList { m_dial };
    PowerOff *m_powerOff = nullptr;
    AccessPointSelector *m_selector = nullptr;
    bool m_selectorTried = false;
    std::unique_ptr<Timer> m_watchdog;
    std::unique_ptr<Timer> m_timConnect;

    // Settings.
    int m_dialMode = 0;
    QString m_ap;
    // The selector's name for the access point being dialled.
    QString m_apTitle;
    int m_reDial = 3;
    int m_reDialWait = 10;
    bool m_dialDispOn = false;
    bool m_defNoncheck = false;
    bool m_connectBeep = false;

    bool m_available = false;
    int m_dialPhase = 0;
    int m_dialAttempt = 0;
    QString m_activeHandle;
    QString m_deviceName;
    bool m_foreign = false;
    bool m_hangUpRunning = false;
    bool m_dialledByUs = false;
    bool m_connected = false;
    bool m_dialledForCheck = false;
    bool m_mainButtonEnabled = true;
    DialPanel m_panel;
    int m_connectTicks = 0;
    int m_cutMinutes = 0;
    int m_cutCount = 0;
};

} // namespace vesk
