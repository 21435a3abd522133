#include "app/MailerController.h"

#include "app/AccessoriesController.h"
#include "display/DisplayState.h"
#include "launcher/LauncherController.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/EventPump.h"
#include "platform/Messenger.h"
#include "platform/ProcessLauncher.h"
#include "settings/Settings.h"

namespace vesk {
namespace {

// The longest auto-open waits for mailer 1 (ten minutes of 100 ms rounds).
constexpr int MaxMailerWaitRounds = 6000;

} // namespace

MailerController::MailerController(const CoreServices &core, Program &program, LauncherController &launcher,
    AccessoriesController &accessories, QObject *parent)
    : QObject(parent)
    , m_core(core)
    , m_program(program)
    , m_launcher(launcher)
    , m_accessories(accessories)
{ }

int MailerController::boxCount(Box box) const
{
    return m_core.store.checkDir(box).count;
}

void MailerController::wakeMailer(int mailer)
{
    Wakeup(mailer == 2 ? 2 : 1);
}

void MailerController::mailerEntry(MailerEntry entry)
{
    // Every entry point first stops the animation and puts it back to its
    // first picture.
    m_program.stopAnimation();
    m_accessories.rewindAnimation();
    int mailer = 1;
    switch (entry) {
    case MailerEntry::Title: // pnlTopDblClick
    case MailerEntry::Menu1:
        break;
    case MailerEntry::Menu2:
        mailer = 2;
        break;
    case MailerEntry::Animation: // imgPopDblClick
        if (m_program.settings().DevideON) {
            m_program.showBoxWindow();
            return;
        }
        break;
    case MailerEntry::Tray: // TrayIconDblClick
        if (!m_program.settings().DevideON) {
            mailerEntry(MailerEntry::Animation);
            return;
        }
        mailer = 2;
        break;
    }
    if (passwordGuards(mailer))
        return;
    Wakeup(mailer);
}

bool MailerController::passwordGuards(int mailer)
{
    const QString &password = mailer == 2 ? m_program.settings().MailPassword2 : m_program.settings().MailPassword;
    if (password.isEmpty())
        return false;
    // Only the typed password starts it now.
    m_program.showDisplay(DisplayState::Password);
    m_core.messenger.beep();
    m_program.hold(2);
    return true;
}

void MailerController::keyTyped(QChar character)
{
    m_keyBuffer += character;
    if (m_keyBuffer.size() < 2)
        return;
    const QString typed = m_keyBuffer.toUpper();
    if (!m_program.settings().MailPassword.isEmpty() && typed == m_program.settings().MailPassword.toUpper()) {
        m_keyBuffer.clear();
        Wakeup(1);
    } else if (!m_program.settings().MailPassword2.isEmpty() && m_program.settings().DevideON
        && typed == m_program.settings().MailPassword2.toUpper()) {
        m_keyBuffer.clear();
        Wakeup(2);
    }
    // A sliding window over the last two keys.
    m_keyBuffer = m_keyBuffer.right(1);
}

QString MailerController::titleHint() const
{
    return m_program.settings().MailPassword.isEmpty() ? QStringLiteral("ﾀﾞﾌﾞﾙｸﾘｯｸでﾒｰﾗｰ起動。右ｸﾘｯｸでﾒﾆｭｰ")
                                             : QStringLiteral("ﾊﾟｽﾜｰﾄﾞでﾒｰﾗｰ起動。右ｸﾘｯｸでﾒﾆｭｰ");
}

void MailerController::Wakeup(int mailer)
{
    if (m_program.closeRequested()) {
        m_core.messenger.beep();
        return;
    }
    if (m_launcher.launching()) {
        m_launcher.waitTurn([this, mailer] { Wakeup(mailer); });
        return;
    }
    const LauncherController::LaunchScope launch(m_launcher);

    // 1: check first. Inside a running cycle (auto-open) the check has just
    // taken place.
    if (m_program.settings().WithCheck && !m_program.animationOn())
        m_program.checkBeforeMailer();

    // 2: the indication is reset.
    emit busyChanged(true);
    m_program.indicationReset();

    // 3: the mailer finds its server listening (a provider session closes it).
    m_core.pump.waitUntil([this] { return !m_program.serversClosedForSession(); }, 20, 100);

    // 4-5: the mailer's program.
    const bool second = mailer == 2;
    const QString &program = second ? m_program.settings().Mailer2 : m_program.settings().Mailer;
    const QString &switches = second ? m_program.settings().MailerSw2 : m_program.settings().MailerSw;
    const QString &macro = second ? m_program.settings().Macro2 : m_program.settings().Macro;
    const bool always = second ? m_program.settings().MacroSend2 : m_program.settings().MacroSend;
    const Box folder = second ? Box::InBox2 : (m_program.settings().DevideON ? Box::InBox1 : Box::InBox);
    bool started = true;
    if (!program.trimmed().isEmpty()) {
        const std::optional<StartedProgram> p
            = m_launcher.programs().start(program.trimmed(), switches, LauncherTable::folderOf(program.trimmed()));
        if (!p) {
            m_core.messenger.beep();
            m_core.messenger.message(QStringLiteral("Mailerを起動出来ません"));
            started = false;
        } else {
            if (m_program.settings().WithClose)
                m_launcher.keepForClosing(*p);
            m_launcher.waitUntilReady(*p, true);
            if (!m_core.state.running())
                m_program.showDisplay(DisplayState::Normal);
            m_core.pump.waitUntil([] { return false; }, 10, 50);
        }
    }
    emit busyChanged(false);

    // 7: the macro, when there is mail for it or it is always wanted. Not
    // after a failed start: the keys would go to whatever has the focus.
    if (started && !macro.isEmpty()) {
        const bool mail = m_program.settings().ServerON ? boxCount(folder) > 0 : m_program.newMailCount() > 0;
        if (always || mail)
            m_launcher.MacroDiv(macro);
    }

    // 8: the mail has been handed over.
    m_program.mailHandedOver();
}

void MailerController::OpenMailer(int mailer, int waitCount, std::optional<Box> folder)
{
    Wakeup(mailer);
    m_core.state.checkTrigger = TriggerAutoOpen;
    if (!folder || waitCount == 0)
        return;
    // Mailer 2 opens only once mailer 1 has taken its mail. A mailer that
    // never comes must not hold the check for ever: the wait ends once the
    // folder has not changed, and no mailer has been collecting, for the
    // session watchdog's time.
    int left = boxCount(*folder);
    int idleRounds = 0;
    const int idleLimit = qMax(1, m_program.settings().OverTimeMs / 100);
    m_core.pump.waitUntil(
        [&] {
            if (m_program.closeRequested() || m_core.state.failed())
                return true;
            const int now = boxCount(*folder);
            if (now == 0)
                return true;
            if (now != left || m_core.state.pop3Active) {
                left = now;
                idleRounds = 0;
                return false;
            }
            return ++idleRounds >= idleLimit;
        },
        MaxMailerWaitRounds, 100);
    m_core.pump.pause(100);
}

void MailerController::autoOpen()
{
    // After a manual check only: a mailer's own check (trigger 4) comes from
    // a mailer that is running already.
    const int trigger = m_core.state.checkTrigger;
    if (trigger != TriggerManualHangUp && trigger != TriggerManual)
        return;
    const bool open1 = m_program.settings().AutoOpen && m_program.settings().MailPassword.isEmpty();
    const bool open2 = m_program.settings().AutoOpen2 && m_program.settings().MailPassword2.isEmpty();
    if (!m_program.settings().ServerON) {
        if (m_program.newMailCount() > 0 && open1 && !m_program.settings().DevideON)
            OpenMailer(1, 0, std::nullopt);
        return;
    }
    if (!m_program.settings().DevideON) {
        if (open1 && boxCount(Box::InBox) > 0)
            OpenMailer(1, 0, std::nullopt);
        return;
    }
    if (open1 && boxCount(Box::InBox1) > 0)
        OpenMailer(1, boxCount(Box::InBox2), Box::InBox1);
    if (open2 && boxCount(Box::InBox2) > 0)
        OpenMailer(2, 0, std::nullopt);
}

bool MailerController::testStartMailer(const QString &program, const QString &switches)
{
    const QString path = program.trimmed();
    if (path.isEmpty() || !m_launcher.programs().start(path, switches, LauncherTable::folderOf(path))) {
        m_core.messenger.beep();
        m_core.messenger.message(QStringLiteral("Mailerを起動出来ません"));
        return false;
    }
    return true;
}

void MailerController::mailerMacroTest(
    int mailer, const QString &program, const QString &switches, const QString &macro)
{
    // In memory only: the dialog's closing reads the settings again.
    if (mailer == 2) {
        m_program.settings().Mailer2 = program;
        m_program.settings().MailerSw2 = switches;
        m_program.settings().Macro2 = macro;
        m_program.settings().MacroSend2 = true;
    } else {
        m_program.settings().Mailer = program;
        m_program.settings().MailerSw = switches;
        m_program.settings().Macro = macro;
        m_program.settings().MacroSend = true;
    }
    Wakeup(mailer);
}

} // namespace vesk
