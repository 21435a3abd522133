#pragma once

#include "launcher/LauncherTable.h"
#include "platform/DesktopServices.h"
#include "platform/ProcessLauncher.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace vesk {

class DesktopWindows;
class EditorGate;
class GlobalHotKeys;
class SettingsStore;
class SyntheticInput;
struct CoreServices;
struct Settings;

// The launcher: its table, menu entries and hot keys, the programs it
// starts and the macros it types into them, one start at a time. The
// mailers start through the same services.
class LauncherController final : public QObject
{
    Q_OBJECT

public:
    // What the launcher asks of the resident program around it.
    class Program
    {
    public:
        virtual ~Program() = default;
        // The settings as last read (GetStr and the mailers' fields kept current).
        virtual Settings &settings() = 0;
        // RetMain, then the minute timer again.
        virtual void readSettingsAgain() = 0;
        // The program is ending: nothing more starts.
        virtual bool closeRequested() const = 0;
        virtual bool minuteTimerActive() const = 0;
        virtual void stopMinuteTimer() = 0;
        virtual void startMinuteTimer() = 0;
    };

    // Marks a program start or a macro as running for as long as it lives: a
    // second one is refused meanwhile, and the minute timer rests, so that no
    // check starts inside its waits.
    class LaunchScope final
    {
    public:
        explicit LaunchScope(LauncherController &launcher);
        ~LaunchScope();
        LaunchScope(const LaunchScope &) = delete;
        LaunchScope &operator=(const LaunchScope &) = delete;

    private:
        LauncherController &m_launcher;
        bool m_timerWasActive;
    };

    LauncherController(const CoreServices &core, SettingsStore &settingsStore, Program &program,
        EditorGate &editors, QObject *parent = nullptr);
    ~LauncherController() override;

    // The desktop that programs are started on and typed into; without one
    // programs still start, and nothing else acts.
    void setDesktop(const DesktopServices &desktop);
    // Asks the user for a line of text (title, prompt, prefilled text);
    // nothing when cancelled or when nobody can be asked.
    using TextPrompt = std::function<std::optional<QString>(
        const QString &title, const QString &prompt, const QString &text)>;
    void setTextPrompt(TextPrompt prompt) { m_prompt = std::move(prompt); }
    // The launcher as the last settings load built it (menu rows, hot keys).
    const LauncherTable &table() const { return m_launcher; }
    // mnuOpt1Click: starts launcher entry `index` (its menu item, a plan,
    // anyone); while another start runs, it waits for its turn. False when
    // it did not start: no such entry, cancelled, or the program could not
    // be started.
    bool startLauncherEntry(int index);
    // "ランチャー設定(&E)...": one editor dialog at a time; the hot keys are
    // let go while it is open. Closing it reads the settings again.
    void openLauncherEditor();
    void launcherEditorClosed();
    // The editor's "起動テスト(&T)": one row started as it stands.
    bool testLauncherEntry(const LauncherEntry &entry);

    // --- What the mailers start through ---

    ProcessLauncher &programs() const;
    // A start runs now: another one waits its turn (a few at most).
    bool launching() const { return m_launching; }
    bool waitTurn(std::function<void()> start);
    // Waits for a started program's window and focus.
    void waitUntilReady(const StartedProgram &program, bool always);
    bool MacroDiv(const QString &macro);
    // Closed when the program ends (WithClose).
    void keepForClosing(const StartedProgram &program) { m_started << program; }

    // --- What the resident program tells it ---

    // The settings were read: the table again, and at start-up the
    // "WITHVESK" entries.
    void buildLauncher(bool startingUp);
    void registerHotKeys();
    void releaseHotKeys();
    void closeStartedPrograms();

signals:
    // The editor is to open.
    void editorRequested();
    // A "SELFMENU" hot key: show the strip and open its menu at its corner.
    void launcherMenuRequested();
    // The strip to the front, for a prompt.
    void raiseRequested();

private:
    enum class LaunchOrigin { Menu, StartUp, EditorTest };
    bool mnuOpt1Click(const LauncherEntry &entry, LaunchOrigin origin);
    void runWaitingStart();
    void WMHotKey(int id);
    void closeLastStarted();
    bool ending() const;
    DesktopWindows &windows() const;
    GlobalHotKeys &hotKeys() const;
    SyntheticInput &input() const;

    const CoreServices &m_core;
    SettingsStore &m_settingsStore;
    Program &m_program;
    EditorGate &m_editors;
    DesktopServices m_desktop;
    TextPrompt m_prompt;
    LauncherTable m_launcher;
    QList<int> m_hotKeyIds;
    QList<StartedProgram> m_started;
    bool m_launching = false;
    QList<std::function<void()>> m_waitingStarts;
    bool m_noHotKeysSaid = false;
    bool m_noInputSaid = false;
};

} // namespace vesk
