#include "app/gui/GuiFrontEnd.h"

#include "app/AccessoriesController.h"
#include "app/Controller.h"
#include "app/ControllerBoxHost.h"
#include "app/MailerController.h"
#include "app/gui/DesktopIntegration.h"
#include "app/gui/PopupMenu.h"
#include "app/gui/QtTranslations.h"
#include "app/gui/SettingsDialogLink.h"
#include "app/gui/VeskMainForm.h"
#include "boxes/BoxWindowController.h"
#include "boxes/MessageTrash.h"
#include "boxes/NewMailSummary.h"
#include "boxes/gui/DevideForm.h"
#include "dialup/ConnectionControl.h"
#include "extras/monitor/gui/DebugForm.h"
#include "extras/settings/SettingsController.h"
#include "extras/settings/gui/SettingForm.h"
#include "extras/slideshow/gui/SlideshowView.h"
#include "extras/version/gui/VersionForm.h"
#include "launcher/LauncherController.h"
#include "launcher/gui/LuncherForm.h"
#include "plan/PlanController.h"
#include "plan/gui/CalendarPanel.h"
#include "plan/gui/PlanWindows.h"
#include "platform/Autostart.h"
#include "platform/Paths.h"
#include "platform/Timer.h"
#include "platform/gui/CanberraSoundTheme.h"
#include "platform/gui/DesktopNotifier.h"
#include "platform/gui/QtSound.h"
#include "platform/x11/X11Desktop.h"
#include "platform/x11/X11XSettings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QTimer>
#include <QUrl>

namespace vesk {

GuiFrontEnd::GuiFrontEnd() = default;

GuiFrontEnd::~GuiFrontEnd() = default;

void GuiFrontEnd::attach(const ProgramParts &parts)
{
    m_parts = std::make_unique<ProgramParts>(parts);
    Controller &c = parts.controller;
    // The program lives in the tray: only the end command ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    // Without the translation files Qt's own buttons stay in English.
    installQtTranslations(*QCoreApplication::instance());
    // The splash shows while the program starts and goes once it runs.
    m_splash = new TVersionForm(TVersionForm::Role::Splash);
    m_splash->show();
    QTimer::singleShot(0, this, [this] {
        if (m_splash)
            m_splash->close();
    });
    m_soundTheme = std::make_unique<CanberraSoundTheme>([] {
        const std::optional<XSettings> settings = readX11Settings();
        return settings ? DesktopSoundSettings::from(*settings) : DesktopSoundSettings {};
    });
    m_sound = std::make_unique<QtSound>([] { QApplication::beep(); }, m_soundTheme.get());
    c.setSoundPlayer([this](const QString &wave, SoundEvent event) { m_sound->play(wave, event); });
    m_menu = std::make_unique<PopupMenu>([this] { return menuRows(); });
    m_strip = std::make_unique<VeskMainForm>(c);
    m_desktop = std::make_unique<DesktopIntegration>(c, *m_menu);
    m_desktop->setMailLines([&store = parts.store](int limit) { return newMailLines(store, limit); });
    m_desktop->setNotifier([this](const QString &summary, const QString &body) { notify(summary, body); });
    m_strip->setTrayAvailable(m_desktop->trayAvailable());
    // The organiser: the calendar in the strip, the plan editor, reminders.
    m_planWindows = std::make_unique<PlanWindows>(c.planner(), parts.settingsStore, parts.clock, m_messenger);
    m_strip->setCalendarPanel(m_planWindows->calendarPanel());
    // The new-mail slideshow in the strip's picture area.
    auto *slideshow = new SlideshowView;
    m_strip->setAnimationView(slideshow);
    c.accessories().setPictureArea(slideshow);
    connect(m_planWindows.get(), &PlanWindows::helpRequested, this, &GuiFrontEnd::openHelp);
    m_strip->setPositionsHonoured(QGuiApplication::platformName() == QLatin1String("xcb")
        || QGuiApplication::platformName() == QLatin1String("offscreen"));

    m_settingsLink = std::make_unique<SettingsDialogLink>(c, parts.monitor,
        SettingsDialogLink::Windows { [this] { return m_monitor.data(); }, [this] { openMonitor(); },
            [this](const QString &wave, SoundEvent event) { m_sound->play(wave, event); }, [this] { openHelp(); },
            [this] {
                if (!m_boxes || !m_boxes->isVisible())
                    return false;
                m_boxes->close();
                m_boxes.reset();
                return true;
            },
            [this](ColorValue color) { m_strip->previewClockColor(color); } });
    m_settingsLink->setTokens(parts.tokens);
    c.settingsDialog().setSettingsDialogPresent(true);

    connect(m_menu.get(), &PopupMenu::triggered, this, &GuiFrontEnd::run);
    connect(m_menu.get(), &PopupMenu::entryTriggered, &c.launcher(), &LauncherController::startLauncherEntry);
    wireDesktop(c);
    connect(m_strip.get(), &VeskMainForm::menuRequested, m_menu.get(), &PopupMenu::popup);
    connect(&c, &Controller::settingsChanged, this, [this] { m_menu->installShortcuts(m_strip.get()); });
    connect(&c, &Controller::windowRequested, this, [this](Controller::Window w) { openWindow(int(w)); });
    // DebugWindow: the monitor opens with the program.
    connect(&c, &Controller::settingsChanged, this, [this](const Settings &settings) {
        if (settings.DebugWindow && !m_monitor && !m_parts->controller.closeRequested())
            openMonitor();
    });
}

void GuiFrontEnd::activate()
{
    if (!m_strip)
        return;
    m_strip->show();
    m_strip->raise();
    m_strip->activateWindow();
}

QList<menu::Item> GuiFrontEnd::menuRows() const
{
    menu::MenuState state;
    state.autostart = Autostart::isEnabled();
    state.cutMinutes = m_parts->controller.dialUp().cutMinutes();
    state.launcher = &m_parts->controller.launcher().table();
    return menu::items(m_parts->controller.settings(), state);
}

void GuiFrontEnd::run(menu::Command command)
{
    using C = menu::Command;
    Controller &c = m_parts->controller;
    if (const int tag = menu::displayTag(command)) {
        c.strip().toggleDisplayFlag(tag);
        return;
    }
    switch (command) {
    case C::Manual1:
        c.checkNow();
        break;
    case C::Manual2:
        c.checkNowKeepLine();
        break;
    case C::Timer1:
        c.dialUp().toggleCutTimer(10);
        break;
    case C::Timer2:
        c.dialUp().toggleCutTimer(30);
        break;
    case C::Timer3:
        c.dialUp().toggleCutTimer(60);
        break;
    case C::Timer4:
        c.dialUp().toggleCutTimer(180);
        break;
    case C::MailerOn:
        c.mailers().mailerEntry(MailerController::MailerEntry::Menu1);
        break;
    case C::Mailer2On:
        c.mailers().mailerEntry(MailerController::MailerEntry::Menu2);
        break;
    case C::VeskOn:
        c.toggleMailIndication();
        break;
    case C::Calendar:
        c.planner().toggleCalendar();
        break;
    case C::PelmaAll:
        c.accessories().toggleStickyNotes();
        break;
    case C::PelmaSettings:
        c.accessories().openStickyNoteEditor();
        break;
    case C::BoxWindow:
        c.boxWindow().showBoxWindow();
        break;
    case C::Launcher:
    case C::LauncherEntry:
        break;
    case C::Plan:
        c.planner().openPlanEditor();
        break;
    case C::LauncherSettings:
        c.launcher().openLauncherEditor();
        break;
    case C::Settings:
        c.settingsDialog().openSettings();
        break;
    case C::Position0:
    case C::Position1:
    case C::Position2:
    case C::Position3:
        c.strip().setPositionMode(int(command) - int(C::Position0));
        m_strip->applyPosition();
        break;
    case C::Autostart:
        toggleAutostart();
        break;
    case C::Help:
        openHelp();
        break;
    case C::Version: {
        auto *about = new TVersionForm(TVersionForm::Role::About);
        about->exec();
        break;
    }
    case C::Quit:
        c.quit();
        break;
    default:
        break;
    }
}

void GuiFrontEnd::openWindow(int window)
{
    switch (Controller::Window(window)) {
    case Controller::Window::Box:
        openBoxWindow();
        break;
    case Controller::Window::Settings:
        openSettings();
        break;
    case Controller::Window::Monitor:
        openMonitor();
        break;
    case Controller::Window::Launcher:
        openLauncherEditor();
        break;
    }
}

void GuiFrontEnd::openHelp()
{
    const QString page = paths::shippedDir() + QStringLiteral("/help/index.html");
    if (!QFileInfo::exists(page) || !QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
        m_messenger.message(QStringLiteral("ヘルプを開けません。\r\n") + page);
}

} // namespace vesk

namespace vesk {

void GuiFrontEnd::openMonitor()
{
    if (!m_monitor) {
        m_monitor = new TDebugForm(
            m_parts->monitor, m_parts->settingsStore, m_messenger, m_parts->clock, m_parts->dataDir);
    }
    m_monitor->show();
    m_monitor->raise();
}

void GuiFrontEnd::openSettings()
{
    // Not modal: the program goes on checking while it is open.
    if (!m_settingsForm) {
        m_settingsForm = new TSettingForm(m_parts->settingsStore, m_messenger, m_parts->controller.dialUp().entries(), *m_settingsLink,
            m_parts->dataDir + QLatin1Char('/'));
    }
    m_settingsForm->show();
    m_settingsForm->raise();
    m_settingsForm->activateWindow();
    // Opened from the box window for its rules, or with a rule offered from
    // a message there.
    if (m_parts->controller.settingsDialog().settingsPage() == SettingsController::SettingsPage::Rules)
        m_settingsForm->showRulePage();
    if (const auto offer = m_parts->controller.settingsDialog().takeRuleOffer())
        m_settingsForm->offerRule(offer->list, offer->text);
}

void GuiFrontEnd::openBoxWindow()
{
    if (!m_boxes) {
        m_trash = std::make_unique<DesktopTrash>();
        if (!m_boxHost)
            m_boxHost = std::make_unique<ControllerBoxHost>(m_parts->controller, m_parts->settingsStore);
        m_boxes = std::make_unique<TDevideForm>(*m_boxHost, m_parts->store, m_parts->settingsStore,
            m_messenger, QtTimerFactory::instance(), *m_trash);
        // The window's layout is saved while the program still runs.
        connect(&m_parts->controller, &Controller::finished, m_boxes.get(), &QWidget::close);
    }
    m_boxes->showWindow();
}

void GuiFrontEnd::wireDesktop(Controller &c)
{
    // Programs are started and typed into on X; elsewhere they only start.
    m_x11 = X11Desktop::open();
    if (m_x11)
        c.launcher().setDesktop(m_x11->services());
    c.launcher().setTextPrompt([this](const QString &title, const QString &prompt, const QString &text) {
        bool ok = false;
        const QString answer
            = QInputDialog::getText(m_strip.get(), title, prompt, QLineEdit::Normal, text, &ok);
        return ok ? std::optional(answer) : std::nullopt;
    });
    connect(&c.mailers(), &MailerController::busyChanged, this, [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    // SELFMENU: the strip comes forward with its menu at its corner.
    connect(&c.launcher(), &LauncherController::launcherMenuRequested, this, [this] {
        activate();
        m_menu->popup(m_strip->frameGeometry().topLeft());
    });
}

void GuiFrontEnd::openLauncherEditor()
{
    Controller &controller = m_parts->controller;
    auto *editor = new TLuncherForm(
        m_parts->settingsStore,
        [&controller](const LauncherEntry &entry) { controller.launcher().testLauncherEntry(entry); }, m_messenger);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    m_launcherEditor = editor;
    connect(editor, &TLuncherForm::helpRequested, this, &GuiFrontEnd::openHelp);
    connect(editor, &QDialog::finished, &m_parts->controller.launcher(), &LauncherController::launcherEditorClosed);
    editor->open();
}

void GuiFrontEnd::toggleAutostart()
{
    QString error;
    const bool done = Autostart::isEnabled() ? Autostart::disable(&error)
                                             : Autostart::enable(QCoreApplication::applicationFilePath(), &error);
    if (!done)
        m_messenger.message(error);
}

void GuiFrontEnd::notify(const QString &summary, const QString &body)
{
    // Made the first time it is wanted: finding the service takes a moment.
    if (!m_notifier) {
        const QString installed = paths::shippedDir() + QStringLiteral("/pictures/vesk.png");
        m_notifier = std::make_unique<DesktopNotifier>(installed);
        connect(m_notifier.get(), &DesktopNotifier::clicked, m_desktop.get(),
            &DesktopIntegration::notificationClicked);
    }
    m_notifier->notify(summary, body);
}

} // namespace vesk
