#include "app/Controller.h"
#include "mail/CoreServices.h"
#include "mail/SessionState.h"
#include "platform/GlobalAtoms.h"
#include "platform/Messenger.h"
#include "store/MessageStore.h"

namespace vesk {

void Controller::trayClicked()
{
    // Forward, unless the strip is kept hidden (only the tray icon shows).
    if (!m_strip->display().hiddenMode())
        emit raiseRequested();
    // In dial-up mode a click must not dial: the menu does that.
    if (m_settings.DialMode == 0)
        checkNow();
}

void Controller::stopAnimation()
{
    setNewMail(m_newMailCount, m_mailAnnounced, false);
    m_strip->DispSet(DisplayState::Normal);
}

void Controller::notYetAvailable(const QString &feature)
{
    m_core.messenger.message(
        QStringLiteral("「") + feature + QStringLiteral("」は、このバージョンのVeskではまだ使えません。"));
}

} // namespace vesk
