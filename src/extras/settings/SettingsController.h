#pragma once

#include "settings/ProviderAccount.h"

#include <QObject>
#include <QString>

#include <optional>

namespace vesk {

class EditorGate;
class SettingsStore;
struct CoreServices;
struct Settings;

// The settings dialog as the resident program sees it: whether there is
// one, the page it opens on and the rule offered to it, its connection test
// and the erasing of every setting. Closing it applies the settings again.
class SettingsController final : public QObject
{
    Q_OBJECT

public:
    // What the settings dialog asks of the resident program around it.
    class Program
    {
    public:
        virtual ~Program() = default;
        // The settings as last read.
        virtual Settings &settings() = 0;
        virtual bool closeRequested() const = 0;
        virtual bool closed() const = 0;
        // The dialog closed: RetMain and what follows; `hadAccount` is
        // whether the account was complete before.
        virtual void applySettings(bool hadAccount) = 0;
        // Why a check cannot start now; empty when it can.
        virtual QString checkRefusal() const = 0;
        // The connection test's check cycle, and the provider session
        // closed after it.
        virtual void runConnectionTest() = 0;
        virtual void closeProviderSession() = 0;
        virtual void reopenLocalServers() = 0;
        // "全設定消去": the program ends.
        virtual void endProgram() = 0;
        virtual void notYetAvailable(const QString &feature) = 0;
    };

    SettingsController(const CoreServices &core, SettingsStore &settingsStore, Program &program,
        EditorGate &editors, QObject *parent = nullptr);

    // A settings dialog is there to open; without one the program says
    // what is missing instead.
    void setSettingsDialogPresent(bool present) { m_settingsDialogPresent = present; }
    bool settingsDialogPresent() const { return m_settingsDialogPresent; }
    // The settings dialog: one editor dialog at a time (a second request
    // beeps); when it closes the settings are read and applied again.
    void openSettings();
    void settingsDialogClosed();
    // The settings dialog on a page: its distribution page ("振分け設定")
    // or the one it usually opens on. The dialog asks which when it opens.
    enum class SettingsPage { Usual, Rules };
    void openSettingsAt(SettingsPage page);
    SettingsPage settingsPage() const { return m_settingsPage; }
    // A distribution rule offered from a message: rule list 1-4 and the
    // text for its entry field. The settings dialog takes the offer when it
    // opens and the user confirms it there; without a dialog the user is
    // asked, and the rule is added to the stored lists.
    struct RuleOffer
    {
        int list = 0;
        QString text;
    };
    void offerRule(int list, const QString &text);
    std::optional<RuleOffer> takeRuleOffer();

    // The connection test: one manual check cycle with this account, the
    // stored provider ports and the local server function off, so that the
    // session only logs in and counts (nothing is fetched or sent); then the
    // loaded settings apply again. Returns when it has ended: true when the
    // provider answered as it should. An incomplete account is not tried.
    bool testConnection(const ProviderAccount &account);
    // Ends a running connection test as failed.
    void cancelConnectionTest();
    bool connectionTestRunning() const { return m_connectionTest; }
    // Every setting was erased: the program ends without writing any back.
    void settingsErased();
    bool erased() const { return m_settingsErased; }

    // --- What the resident program tells it ---

    // RetMain read the settings.
    void settingsRead() { ++m_settingsReads; }
    // The start-up pass without an account: the dialog opens once.
    bool openAtStartOnce();

signals:
    // The dialog is to open.
    void dialogRequested();
    // The settings changed in memory (a rule added without the dialog).
    void settingsChanged(const vesk::Settings &settings);
    // What the provider session is to use from now on: the connection
    // test's account, and the loaded settings again after it.
    void providerSettingsChanged(const vesk::Settings &settings);

private:
    const CoreServices &m_core;
    SettingsStore &m_settingsStore;
    Program &m_program;
    EditorGate &m_editors;
    bool m_settingsDialogPresent = false;
    bool m_connectionTest = false;
    bool m_settingsErased = false;
    bool m_settingsDialogShownAtStart = false;
    int m_settingsReads = 0; // RetMain runs, so that a test puts back nothing stale
    SettingsPage m_settingsPage = SettingsPage::Usual;
    std::optional<RuleOffer> m_ruleOffer;
};

} // namespace vesk
