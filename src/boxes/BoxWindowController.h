#pragma once

#include "store/MessageStore.h"

#include <QObject>
#include <QString>

namespace vesk {

struct CoreServices;
struct Settings;

// The box window's side of the resident program: whether the window is open,
// its caption and the news of the boxes it lists, the send hold it sets
// while open, and PopUpCheck after its deletions. The window itself sees
// only its host (boxes/BoxHost.h).
class BoxWindowController final : public QObject
{
    Q_OBJECT

public:
    // What the box window's side asks of the resident program around it.
    class Program
    {
    public:
        virtual ~Program() = default;
        // The settings as last read, and their change told to the windows.
        virtual Settings &settings() = 0;
        virtual void settingsChanged() = 0;
        // The time of the last check, as the caption shows it.
        virtual QString lastTime() const = 0;
        // The new-mail indication: whether it is on, and its end once every
        // receive box is empty.
        virtual bool mailIndicationOn() const = 0;
        virtual void mailTaken() = 0;
    };

    BoxWindowController(const CoreServices &core, Program &program, QObject *parent = nullptr);

    // Asks for the box window; the window reports whether it is open.
    void showBoxWindow();
    void setBoxWindowOpen(bool open);
    bool boxWindowOpen() const { return m_open; }
    // The caption with the last check's time ("送受信箱 <Last 12/6 8:00>").
    void showLastCheck();
    // PopUpCheck: after deletions, the indication ends once every receive
    // box is empty.
    void popUpCheck();
    // ManuSend as the box window sets it while it is open: mail handed in
    // by the mailers waits in the out-box (held) or goes at once. Not stored.
    void setSendHeld(bool held);
    bool sendHeld() const;
    // The new-mail indication is on: mnuVeskONClick would switch it off.
    bool mailIndicationOn() const { return m_program.mailIndicationOn(); }

signals:
    void windowRequested();
    // A message came into a box or left it.
    void messageAdded(vesk::Box box, const QString &fileName);
    void messageRemoved(vesk::Box box, const QString &fileName);
    // The window's caption ("送受信箱 Down 2/5", "送受信箱 <Last 12/6 8:00>").
    void captionChanged(const QString &caption);
    // Every box is empty: the window may close (RemainCheck).
    void closeRequested();

private:
    int boxCount(Box box) const;

    const CoreServices &m_core;
    Program &m_program;
    bool m_open = false;
};

} // namespace vesk
