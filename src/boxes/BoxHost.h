#pragma once

#include "store/MessageStore.h"
#include "store/rules/RuleLists.h"

#include <QObject>
#include <QString>

namespace vesk {

struct Settings;

// What the box window and the quick view ask of the resident program: its
// settings, the mailers, the check, the send mode and the new-mail
// indication, and what happens to the boxes meanwhile. The program's
// controller stands behind it; tests record.
class BoxHost : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual const Settings &settings() const = 0;
    // The last check's time, "m/d h:mm".
    virtual QString lastTime() const = 0;

    // Wakeup: starts mailer 1 or 2 (launch passwords are the caller's).
    virtual void wakeMailer(int mailer) = 0;
    // A character typed in the window, for the mailers' launch passwords.
    virtual void keyTyped(QChar character) = 0;
    // mnuManual1Click / mnuManual2Click: check and send, then hang up or not.
    virtual void checkNow(bool keepLine) = 0;

    // ManuSend: mail handed in by the mailers waits in the out-box.
    virtual bool sendHeld() const = 0;
    virtual void setSendHeld(bool held) = 0;

    // The new-mail indication (mnuVeskONClick toggles it).
    virtual bool mailIndicationOn() const = 0;
    virtual void toggleMailIndication() = 0;
    // PopUpCheck: the indication ends once the receive boxes are empty.
    virtual void popUpCheck() = 0;

    // The settings dialog, on its distribution page or its usual one.
    virtual void openSettings(bool rulesPage) = 0;
    // A distribution rule from a message: `text` offered for rule list
    // `list` (1-4), for the user to confirm.
    virtual void offerRule(int list, const QString &text) = 0;
    // The distribution rules as stored, whatever the switches say.
    virtual RuleLists distributionRules() const = 0;
    // spbPelmaClick: a text becomes a sticky note.
    virtual void sendToStickyNote(const QString &text) = 0;
    // The window opened or closed: while it is open the new-mail caption is its own.
    virtual void setBoxWindowOpen(bool open) = 0;

signals:
    // A message came into a box or left it.
    void messageAdded(vesk::Box box, const QString &fileName);
    void messageRemoved(vesk::Box box, const QString &fileName);
    // The window's caption ("送受信箱 Down 2/5", "送受信箱 <Last 12/6 8:00>").
    void captionChanged(const QString &caption);
    // Every box is empty: the window may close (RemainCheck).
    void closeRequested();
    // The settings were read again.
    void settingsChanged();
};

} // namespace vesk
