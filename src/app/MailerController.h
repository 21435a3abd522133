#pragma once

#include "store/MessageStore.h"

#include <QObject>
#include <QString>

#include <optional>

namespace vesk {

class AccessoriesController;
class LauncherController;
struct CoreServices;
struct Settings;

// The mailers and their start passwords: where the user asks for a mailer,
// the passwords typed on the strip, the start of mailer 1 or 2 with its
// macro, and the mailers opened after a manual check. They start through
// the launcher's services.
class MailerController final : public QObject
{
    Q_OBJECT

public:
    // What the mailers ask of the resident program around them.
    class Program
    {
    public:
        virtual ~Program() = default;
        // The settings as last read.
        virtual Settings &settings() = 0;
        virtual bool closeRequested() const = 0;
        // The new-mail indication.
        virtual bool animationOn() const = 0;
        virtual int newMailCount() const = 0;
        // The animation stops; the mail stays announced.
        virtual void stopAnimation() = 0;
        virtual void showBoxWindow() = 0;
        // DispSet, and a display hold of so many seconds.
        virtual void showDisplay(int mode) = 0;
        virtual void hold(int seconds) = 0;
        // Before the mailer: a check, unless one runs or cannot start.
        virtual void checkBeforeMailer() = 0;
        // The indication is reset while the mailer starts.
        virtual void indicationReset() = 0;
        // A provider session has closed the local servers for now.
        virtual bool serversClosedForSession() const = 0;
        // The mail has been handed over to the mailer.
        virtual void mailHandedOver() = 0;
    };

    MailerController(const CoreServices &core, Program &program, LauncherController &launcher,
        AccessoriesController &accessories, QObject *parent = nullptr);

    // Where the user asked for a mailer: a double-click on the title bar, on
    // the animation area or on the tray icon, or the menu's two items.
    enum class MailerEntry { Title, Animation, Tray, Menu1, Menu2 };
    void mailerEntry(MailerEntry entry);
    // FormKeyPress: a character typed on the strip, for the start passwords.
    void keyTyped(QChar character);
    // The title bar's hint.
    QString titleHint() const;
    // Wakeup for the box window and the quick view: mailer 1 or 2 (they
    // refuse themselves while a launch password is set).
    void wakeMailer(int mailer);
    // The settings dialog's "起動テスト": the mailer as typed there.
    bool testStartMailer(const QString &program, const QString &switches);
    // The settings dialog's "マクロテスト": the mailer and macro as typed
    // there (held in memory until the dialog closes) started with the macro.
    void mailerMacroTest(int mailer, const QString &program, const QString &switches, const QString &macro);

    // After a manual check: the mailers that open by themselves.
    void autoOpen();

signals:
    // A mailer is being started: the hourglass.
    void busyChanged(bool busy);

private:
    void Wakeup(int mailer);
    bool passwordGuards(int mailer);
    void OpenMailer(int mailer, int waitCount, std::optional<Box> folder);
    int boxCount(Box box) const;

    const CoreServices &m_core;
    Program &m_program;
    LauncherController &m_launcher;
    AccessoriesController &m_accessories;
    QString m_keyBuffer;
};

} // namespace vesk
