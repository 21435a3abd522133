#pragma once

#include "store/MessageStore.h"

#include <QString>

namespace vesk {

// What the provider session and the local servers show while they work: the
// box window's lists and caption, the strip's display, the dial-up panel.
// The controller turns these into signals for the windows; every operation
// has a harmless default.
class MailView
{
public:
    virtual ~MailView() = default;

    virtual bool boxWindowOpen() const { return false; }
    virtual void showBoxWindow() {}
    // Closes the box window when every box is empty (RemainCheck).
    virtual void remainCheck() {}
    virtual void setBoxCaption(const QString &caption) { Q_UNUSED(caption); }
    // A message came into a box or left it.
    virtual void messageAdded(Box box, const QString &fileName)
    {
        Q_UNUSED(box);
        Q_UNUSED(fileName);
    }
    virtual void messageRemoved(Box box, const QString &fileName)
    {
        Q_UNUSED(box);
        Q_UNUSED(fileName);
    }

    // Main display mode (0 normal, 6, 10, ...) and the direction of the
    // transfer under way (">" down, "<" up).
    virtual void setDisplayMode(int mode) { Q_UNUSED(mode); }
    virtual void showDirection(const QString &direction) { Q_UNUSED(direction); }
    // Advances the progress indicator.
    virtual void progress() {}
    // Dial-up status panel text ("Connecting", "Authenticating", ...).
    virtual void dialPanelStatus(const QString &text) { Q_UNUSED(text); }
    // The socket layer is broken ("WSAEADDRNOTAVAIL"): bring the main window up.
    virtual void raiseMainWindow() {}
};

} // namespace vesk
