#pragma once

#include "store/MessageStore.h"

#include <QString>

namespace vesk {

// What the provider session and the local servers need from the rest of the
// program (the controller and, through it, the windows). Every operation has a
// harmless default so that a test implements only what it looks at.
class MailHost
{
public:
    virtual ~MailHost() = default;

    // The local listening servers are closed while a provider session runs.
    virtual void closeLocalServers() {}
    virtual void reopenLocalServers() {}

    // Distributes a freshly stored message of "InBox/"; returns the name of the
    // box list it went to ("stgReceive", "stgReceive1" or "stgReceive2").
    virtual QString devideGo(const QString &fileName)
    {
        Q_UNUSED(fileName);
        return QStringLiteral("stgReceive");
    }

    // Box window (the send/receive box lists).
    virtual bool boxWindowOpen() const { return false; }
    virtual void showBoxWindow() {}
    virtual void setBoxCaption(const QString &caption) { Q_UNUSED(caption); }
    virtual void addBoxRow(const QString &list, const QString &fileName)
    {
        Q_UNUSED(list);
        Q_UNUSED(fileName);
    }
    virtual void removeBoxRow(const QString &list, const QString &fileName)
    {
        Q_UNUSED(list);
        Q_UNUSED(fileName);
    }
    // Closes the box window when every box is empty.
    virtual void remainCheck() {}

    // Dial-up status panel text ("Connecting", "Authenticating", ...).
    virtual void dialPanelStatus(const QString &text) { Q_UNUSED(text); }

    // Main display mode (0 normal, 6, 10, ...); the status label's direction.
    virtual void setDisplayMode(int mode) { Q_UNUSED(mode); }
    virtual void showDirection(const QString &direction) { Q_UNUSED(direction); }
    // Advances the progress indicator.
    virtual void progress() {}

    // The connection could not be made or failed: close the session and show
    // "ConnectNG" for a moment.
    virtual void connError() {}
    // The socket layer is broken ("WSAEADDRNOTAVAIL"): bring the main window up.
    virtual void raiseMainWindow() {}

    // The settings dialog's connection test is running.
    virtual bool connectionTestRunning() const { return false; }
    // After a connection test's download: hang up a dial-up line.
    virtual void closeDialUp() {}

    // A download starts: the check counts as done, the minute timer stops,
    // and `lastTime` ("m/d h:mm") is the time of the last check.
    virtual void checkStarted(const QString &lastTime) { Q_UNUSED(lastTime); }
    // The minute timer runs again (after a failed check or a connection test).
    virtual void restartMinuteTimer() {}

    // The new-mail indication is cleared once a mailer took its mail.
    virtual void clearNewMailIndication() {}

    // Runs the whole send cycle (connect, download, send the out-box) with the
    // given trigger; returns when it has ended.
    virtual void upLoad(int checkTrigger) { Q_UNUSED(checkTrigger); }
};

} // namespace vesk
