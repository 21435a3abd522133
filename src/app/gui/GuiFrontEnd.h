#pragma once

#include "app/FrontEnd.h"
#include "app/MainMenu.h"
#include "app/gui/GuiMessenger.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace vesk {

class ControllerBoxHost;
class DesktopIntegration;
class DesktopTrash;
class DesktopNotifier;
class PlanWindows;
class PopupMenu;
class QtSound;
class SoundTheme;
class SettingsDialogLink;
class TDebugForm;
class TSettingForm;
class TDevideForm;
class TLuncherForm;
class TVersionForm;
class X11Desktop;
class VeskMainForm;

// The windows of the resident program: the strip, the tray, the pop-up
// menu and the secondary windows, made when the program's parts exist and
// driven by the controller's signals. The menu's commands go to the
// controller, or open a window.
class GuiFrontEnd final : public QObject, public FrontEnd
{
    Q_OBJECT

public:
    GuiFrontEnd();
    ~GuiFrontEnd() override;

    Messenger &messenger() override { return m_messenger; }
    void attach(const ProgramParts &parts) override;
    void activate() override;

    VeskMainForm *strip() const { return m_strip.get(); }
    DesktopIntegration *desktop() const { return m_desktop.get(); }
    PopupMenu *popupMenu() const { return m_menu.get(); }

    // A menu command, as the menu, the tray or a function key gives it.
    void run(menu::Command command);

private:
    QList<menu::Item> menuRows() const;
    void openWindow(int window);
    void openHelp();
    void openMonitor();
    void openSettings();
    void openBoxWindow();
    void toggleAutostart();
    void openLauncherEditor();
    void wireDesktop(Controller &controller);
    void notify(const QString &summary, const QString &body);

    GuiMessenger m_messenger;
    std::unique_ptr<ProgramParts> m_parts;
    // What the box window sees of the controller; it outlives the window.
    std::unique_ptr<ControllerBoxHost> m_boxHost;
    std::unique_ptr<PopupMenu> m_menu;
    std::unique_ptr<VeskMainForm> m_strip;
    std::unique_ptr<DesktopIntegration> m_desktop;
    std::unique_ptr<SoundTheme> m_soundTheme;
    std::unique_ptr<QtSound> m_sound;
    std::unique_ptr<DesktopNotifier> m_notifier;
    std::unique_ptr<PlanWindows> m_planWindows;
    std::unique_ptr<DesktopTrash> m_trash;
    std::unique_ptr<TDevideForm> m_boxes;
    QPointer<TDebugForm> m_monitor;
    QPointer<TVersionForm> m_splash;
    // The settings dialog, and what it asks of the program.
    std::unique_ptr<SettingsDialogLink> m_settingsLink;
    QPointer<TSettingForm> m_settingsForm;
    QPointer<TLuncherForm> m_launcherEditor;
    std::unique_ptr<X11Desktop> m_x11;
};

} // namespace vesk
