#include "launcher/LauncherController.h"
#include "mail/EditorGate.h"

#include "launcher/DesktopMacroExecutor.h"
#include "launcher/MacroCompiler.h"
#include "launcher/MacroRunner.h"
#include "launcher/ShortCut.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/DesktopWindows.h"
#include "platform/EventPump.h"
#include "platform/GlobalHotKeys.h"
#include "platform/Messenger.h"
#include "platform/SyntheticInput.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vesk {
namespace {

// The second line of the box: which program, and why it did not start.
QString startFailure(const QString &program, const QString &folder)
{
    QString reason;
    const bool path = program.contains(u'/');
    const QString found = path
        ? QDir(folder.isEmpty() ? QDir::currentPath() : folder).absoluteFilePath(program)
        : QStandardPaths::findExecutable(program);
    const QFileInfo file(found);
    if (found.isEmpty() || !file.exists())
        reason = QStringLiteral("ファイルが見つかりません");
    else if (file.isDir() || !file.isExecutable())
        reason = QStringLiteral("実行できるファイルではありません");
    else if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        reason = QStringLiteral("作業フォルダ「%1」がありません").arg(folder);
    else
        reason = QStringLiteral("起動に失敗しました");
    return QStringLiteral("「%1」: %2").arg(program, reason);
}

} // namespace
namespace {

const QString GetMark = QStringLiteral("@GET@");
// Waiting for a started program's window: 150 x 100 ms.
constexpr int ReadyRounds = 150;
constexpr int ReadyPauseMs = 100;
// Starts that may wait for the running one.
constexpr int MaxWaitingStarts = 4;
// Then for it to have the focus: at most 2 s more.
constexpr int FocusRounds = 20;

} // namespace

LauncherController::LaunchScope::LaunchScope(LauncherController &launcher)
    : m_launcher(launcher)
    , m_timerWasActive(launcher.m_program.minuteTimerActive())
{
    m_launcher.m_launching = true;
    m_launcher.m_program.stopMinuteTimer();
}

LauncherController::LaunchScope::~LaunchScope()
{
    m_launcher.m_launching = false;
    if (m_timerWasActive)
        m_launcher.m_program.startMinuteTimer();
    if (!m_launcher.m_waitingStarts.isEmpty())
        QMetaObject::invokeMethod(
            &m_launcher, [l = &m_launcher] { l->runWaitingStart(); }, Qt::QueuedConnection);
}

LauncherController::LauncherController(
    const CoreServices &core, SettingsStore &settingsStore, Program &program, EditorGate &editors, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_settingsStore(settingsStore)
    , m_program(program)
    , m_editors(editors)
{ }

LauncherController::~LauncherController()
{
    hotKeys().setHandler({});
}

// --- The desktop ---

void LauncherController::setDesktop(const DesktopServices &desktop)
{
    hotKeys().setHandler({});
    m_desktop = desktop;
    hotKeys().setHandler([this](int id) { WMHotKey(id); });
}

ProcessLauncher &LauncherController::programs() const
{
    static QtProcessLauncher fallback;
    return m_desktop.programs ? *m_desktop.programs : fallback;
}

DesktopWindows &LauncherController::windows() const
{
    static NoDesktopWindows fallback;
    return m_desktop.windows ? *m_desktop.windows : fallback;
}

GlobalHotKeys &LauncherController::hotKeys() const
{
    static NoGlobalHotKeys fallback;
    return m_desktop.hotKeys ? *m_desktop.hotKeys : fallback;
}

SyntheticInput &LauncherController::input() const
{
    static NoSyntheticInput fallback;
    return m_desktop.input ? *m_desktop.input : fallback;
}

bool LauncherController::ending() const
{
    return m_program.closeRequested() || m_core.state.marker == QLatin1String("  ");
}

// --- The launcher's table, menu and hot keys ---

void LauncherController::buildLauncher(bool startingUp)
{
    m_launcher = LauncherTable::fromLines(m_program.settings().LuncherLines);
    if (!startingUp)
        return;
    // "WITHVESK" entries start with the program, once its loop runs.
    for (int i = 0; i < m_launcher.count(); ++i) {
        const LauncherEntry entry = *m_launcher.entry(i);
        if (entry.withVesk)
            QMetaObject::invokeMethod(
                this, [this, entry] { mnuOpt1Click(entry, LaunchOrigin::StartUp); }, Qt::QueuedConnection);
    }
}

void LauncherController::registerHotKeys()
{
    releaseHotKeys();
    GlobalHotKeys &keys = hotKeys();
    // A desktop without global keys is told about once, not at every load.
    const bool tell = keys.canAct() || !m_noHotKeysSaid;
    for (const LauncherEntry &entry : m_launcher.entries()) {
        if (!entry.hasHotKey())
            continue;
        const std::optional<ShortCut> cut = ShortCut::fromText(entry.hotKey);
        const QString failure = cut ? keys.grab(cut->hotKeyId(), cut->modifiers, cut->virtualKey)
                                    : QStringLiteral("unknown key");
        if (failure.isEmpty()) {
            if (!m_hotKeyIds.contains(cut->hotKeyId()))
                m_hotKeyIds << cut->hotKeyId();
        } else if (tell) {
            m_core.messenger.message(
                entry.hotKey + QStringLiteral("のHotKey設定はできません。Windowsで使っています。"));
        }
    }
    if (!keys.canAct())
        m_noHotKeysSaid = true;
}

void LauncherController::releaseHotKeys()
{
    for (int id : std::as_const(m_hotKeyIds))
        hotKeys().release(id);
    m_hotKeyIds.clear();
}

void LauncherController::WMHotKey(int id)
{
    // A start pumps events, and the table may be read again meanwhile.
    const LauncherTable table = m_launcher;
    for (const LauncherEntry &entry : table.entries()) {
        if (!entry.hasHotKey() || entry.hotKeyId != id)
            continue;
        if (entry.selfMenu)
            emit launcherMenuRequested();
        else
            mnuOpt1Click(entry, LaunchOrigin::Menu);
    }
}

bool LauncherController::startLauncherEntry(int index)
{
    const LauncherEntry *entry = m_launcher.entry(index);
    if (!entry) {
        // A plan may name an entry that was deleted since.
        m_core.messenger.beep();
        return false;
    }
    return mnuOpt1Click(LauncherEntry(*entry), LaunchOrigin::Menu);
}

bool LauncherController::testLauncherEntry(const LauncherEntry &entry)
{
    return mnuOpt1Click(entry, LaunchOrigin::EditorTest);
}

void LauncherController::openLauncherEditor()
{
    // mnuLunchSetClick: one editor dialog at a time.
    if (m_editors.refuse())
        return;
    m_editors.setOpen(true);
    releaseHotKeys();
    emit editorRequested();
}

void LauncherController::launcherEditorClosed()
{
    m_editors.setOpen(false);
    m_program.readSettingsAgain();
    m_program.startMinuteTimer();
}

// --- Starting an entry ---

bool LauncherController::mnuOpt1Click(const LauncherEntry &entry, LaunchOrigin origin)
{
    if (m_program.closeRequested()) {
        m_core.messenger.beep();
        return false;
    }
    // A start that waits pumps events: a second one now would type into
    // the first one's program.
    if (m_launching)
        return waitTurn([this, entry, origin] { mnuOpt1Click(entry, origin); });
    const LaunchScope launch(*this);
    const bool test = origin == LaunchOrigin::EditorTest;

    // 1: the busy mark, which also keeps the program from ending meanwhile.
    if (!m_core.state.running())
        m_core.state.marker = QStringLiteral("*");
    const auto unmark = [this] {
        if (!m_core.state.running())
            m_core.state.marker.clear();
    };

    // 2: "@GET@" asks for the text to put in its place.
    QString switches = entry.switches;
    const qsizetype mark = switches.indexOf(GetMark, 0, Qt::CaseInsensitive);
    if (mark >= 0) {
        const QString last = test ? QString() : SettingsTable::value(m_settingsStore, &Settings::GetStr);
        const DesktopWindows::WindowId previous = windows().foreground();
        emit raiseRequested();
        m_core.messenger.beep();
        std::optional<QString> answer = m_prompt
            ? m_prompt(test ? QStringLiteral("文字列入力") : entry.caption,
                QStringLiteral("SWに付加する文字列を入力してください"), last)
            : std::nullopt;
        if (previous)
            windows().activate(previous);
        if (!answer && !test) {
            unmark();
            return false;
        }
        if (!test) {
            m_program.settings().GetStr = *answer;
            SettingsTable::setValue(m_settingsStore, &Settings::GetStr, *answer);
        }
        switches.replace(mark, GetMark.size(), answer.value_or(QString()));
    }

    // 3: the program.
    const bool hasMacro = !entry.macro.isEmpty();
    if (!entry.program.isEmpty()) {
        const std::optional<StartedProgram> started = programs().start(entry.program, switches, entry.folder);
        if (!started) {
            m_core.messenger.beep();
            m_core.messenger.message((test ? QStringLiteral("ソフトを起動出来ません")
                                           : QStringLiteral("外部ソフトを起動出来ません"))
                + QStringLiteral("\r\n") + startFailure(entry.program, entry.folder));
            unmark();
            return false;
        }
        if (!test && (m_program.settings().WithClose || origin == LaunchOrigin::StartUp))
            m_started << *started;
        // The macro is for the new program's window: wait for it in every
        // case, not only when the program is not to be closed at the end.
        waitUntilReady(*started, test || hasMacro);
    }
    if (hasMacro || test)
        m_core.pump.pause(500);

    // 4: the macro; at start-up only into a program started for it.
    if (hasMacro && (origin != LaunchOrigin::StartUp || !entry.program.isEmpty()))
        MacroDiv(entry.macro);

    // 5
    unmark();
    return true;
}

bool LauncherController::waitTurn(std::function<void()> start)
{
    if (m_waitingStarts.size() >= MaxWaitingStarts) {
        m_core.messenger.beep();
        return false;
    }
    m_waitingStarts << std::move(start);
    return true;
}

void LauncherController::runWaitingStart()
{
    if (m_launching || m_waitingStarts.isEmpty())
        return;
    if (m_program.closeRequested()) {
        m_waitingStarts.clear();
        return;
    }
    m_waitingStarts.takeFirst()();
}

void LauncherController::waitUntilReady(const StartedProgram &program, bool always)
{
    if (!always || !windows().canAct())
        return;
    // At most 15 s; a program that ended (handing over to a copy already
    // running) has nothing more to show.
    const auto gone = [&] { return !programs().running(program) || ending(); };
    if (!m_core.pump.waitUntil(
            [&] { return windows().showsWindow(program.pid) || gone(); }, ReadyRounds, ReadyPauseMs)
        || gone())
        return;
    // Keys go to the focus: give the window manager a moment to hand it to
    // the new window.
    m_core.pump.waitUntil(
        [&] { return windows().hasFocus(program.pid) || gone(); }, FocusRounds, ReadyPauseMs);
}

// --- Macros and the programs started ---

bool LauncherController::MacroDiv(const QString &macro)
{
    if (macro.isEmpty())
        return true;
    if (!input().canAct()) {
        if (!m_noInputSaid) {
            m_noInputSaid = true;
            m_core.messenger.message(
                QStringLiteral("この画面環境ではマクロのキー入力を送れません。（X11の画面で使えます）"));
        }
        return false;
    }
    DesktopMacroExecutor executor(input(), windows(), m_core.messenger, m_core.pump,
        { [this] { closeLastStarted(); }, [this] { return ending(); } });
    return MacroRunner(executor).run(macro::compile(macro));
}

void LauncherController::closeLastStarted()
{
    // SCLOSE; the list stays as it is.
    if (!m_started.isEmpty() && programs().running(m_started.last()))
        windows().requestClose(m_started.last().pid);
}

void LauncherController::closeStartedPrograms()
{
    // Only processes that still are the ones started: an id may have gone
    // to another program since.
    QList<qint64> asked;
    for (const StartedProgram &program : std::as_const(m_started)) {
        if (asked.contains(program.pid) || !programs().running(program))
            continue;
        windows().requestClose(program.pid);
        asked << program.pid;
    }
}

} // namespace vesk
