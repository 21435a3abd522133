#pragma once

#include "extras/settings/ConnectionMethodChoice.h"
#include "extras/settings/ControlDependencies.h"
#include "extras/settings/RoundTimeField.h"
#include "extras/settings/SettingsSecrets.h"
#include "settings/EraseAllSettings.h"
#include "settings/ProviderAccount.h"
#include "settings/OAuthClient.h"
#include "settings/Settings.h"
#include "store/rules/RuleEntryModel.h"

namespace vesk {

class DialUpEntries;
class Messenger;
class SettingsDialogHost;
class SettingsStore;

// The settings dialog without its widgets: the values being edited, loaded
// from the store with their defaults; which controls are usable; the
// connection method; the test buttons; saving with its refusal; erasing all
// settings. The dialog mirrors the values into its controls (by the names of
// DialogControls and ControlDependencies) and calls the handlers.
class SettingsDialogModel final
{
public:
    // A font as the settings keep it.
    struct FontChoice
    {
        QString name;
        int size = 9; // points
        int style = 0; // FontStyleBits
        ColorValue color;
        friend bool operator==(const FontChoice &, const FontChoice &) = default;
    };

    enum class SaveResult { Saved, Refused, Failed };

    SettingsDialogModel(Messenger &messenger, const DialUpEntries &dialUp);

    // Every control from its stored value, with the defaults of the settings,
    // except that a missing MailRound shows unticked and a missing DialMode
    // chooses dial-up only where dial-up connections can be made.
    void load(SettingsStore &store);

    // The values of DialogControls by control name (false, empty or 0 for
    // another name). A spin value is kept within its range. Choosing a
    // server's encryption moves its port along when it was the default of
    // the encryption chosen before (110 and 995; 25, 587 and 465).
    bool checked(QStringView control) const;
    void setChecked(QStringView control, bool on);
    QString text(QStringView control) const;
    void setText(QStringView control, const QString &text);
    int number(QStringView control) const;
    void setNumber(QStringView control, int value);

    // The passwords, stored apart from the other values.
    SettingsSecrets &secrets() { return m_secrets; }
    const SettingsSecrets &secrets() const { return m_secrets; }
    // The OAuth client as the dialog shows it now (saved or not).
    OAuthClient oauthClient() const;
    // The provider ports again from the store (the port dialog wrote them).
    void reloadPorts(SettingsStore &store);

    RoundTimeField &roundTime() { return m_roundTime; }
    const RoundTimeField &roundTime() const { return m_roundTime; }
    RuleEntryModel &rules() { return m_rules; }
    const RuleEntryModel &rules() const { return m_rules; }

    ColorValue newMailColor() const { return m_values.OnFontColor; }
    void setNewMailColor(ColorValue color) { m_values.OnFontColor = color; }
    FontChoice clockFont() const;
    void setClockFont(const FontChoice &font);
    FontChoice quickViewFont() const;
    void setQuickViewFont(const FontChoice &font);

    // The state of the boxes the other controls depend on.
    controldeps::Switches switches() const;
    bool usable(QStringView control) const { return controldeps::usable(control, switches()); }

    // LAN or dial-up, and the dial-up entry taken as the access point.
    ConnectionMethodChoice &connectionMethod() { return m_connectionMethod; }
    const ConnectionMethodChoice &connectionMethod() const { return m_connectionMethod; }

    // --- The test buttons ---
    // "&Check(&K)": the account as typed, tried with one check cycle while
    // the monitor shows "TEST".
    void connectionTest(SettingsDialogHost &host);
    void cancelConnectionTest(SettingsDialogHost &host);
    void clearMonitor(SettingsDialogHost &host);
    void closeMonitor(SettingsDialogHost &host);
    ProviderAccount account() const;
    // A sound field's file played; when the field is empty, the sound
    // theme's sound that stands in for it.
    void soundTest(SettingsDialogHost &host, QStringView field);

    // --- Saving and erasing ---
    // "保存終了": the secrets go to the keyring where one answers, also those
    // an earlier version left in the file; refused (with its message) while two mailers are used and an
    // entry field of rule list 1, 2 or 3 holds text never added. `folder` is
    // the program's folder. Failed when the store could not be written (the
    // message says why); the dialog then stays open with what was typed.
    SaveResult save(SettingsStore &store, const QString &folder);
    // "全設定消去": erases every section when `typedPassword` equals the
    // password shown.
    EraseResult eraseAll(SettingsStore &store, const QString &typedPassword);

private:
    bool monitorReady(SettingsDialogHost &host);

    Messenger &m_messenger;
    void loadPorts(SettingsStore &store);

    // Before m_connectionMethod, which writes into it.
    Settings m_values;
    SettingsSecrets m_secrets;
    RoundTimeField m_roundTime;
    RuleEntryModel m_rules;
    ConnectionMethodChoice m_connectionMethod;
};

} // namespace vesk
