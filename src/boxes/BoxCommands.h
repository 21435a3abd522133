#pragma once

#include "boxes/BoxGrid.h"

#include <QString>
#include <QStringList>

namespace vesk {

class BoxWindowModel;
class MessageTrash;
class Messenger;

// The commands of the box window: to the trash, moves between boxes, a rule
// from a message, re-distribution, the mailers, sending, emptying all boxes
// and the new-mail indication. Each works on the lists of the window model
// and reports with the system's messages.
class BoxCommands final
{
public:
    BoxCommands(BoxWindowModel &window, Messenger &messenger, MessageTrash &trash);

    // mnuEraseClick: the selected messages of the active list to the trash,
    // once the user agrees. A row goes only when its file went.
    void erase();
    // mnuDown2Click: 0 one box up (OutBox <- InBox <- InBox1 <- InBox2 <-
    // OutBox), 1 to mailer 1's box, 2 to mailer 2's, 3 to both.
    void move(int tag);
    // MoveDisp: the selected messages of `source` into `destination`. Mode 0
    // copies; mode 1 moves; mode 2 moves, but copies from a mailer's box.
    // With the copy flag (Ctrl) it always copies.
    void moveDisp(Grid source, Grid destination, int mode);
    // Rows dragged from the active list onto another.
    void dropOn(Grid target);
    // mnuAdd1Click: list 1 or 2 takes the own names, 3 or 4 the sender's address.
    void ruleFromMessage(int list);
    // mnuReDevClick
    void redistribute();
    // mnuReceiveClick / mnuReceive2Click
    void launchMailer(int mailer);
    // mnuSendClick / mnuSend2Click (only in dial-up mode).
    void send(bool keepLine);
    // mnuCleanClick: every message of every box to the trash, once the user agrees.
    void cleanAll();
    // mnuVeskOffClick; Esc in a list only switches the indication off.
    void toggleIndication();
    void escape();

private:
    // Trashes the messages of a box; returns the names that stayed, with why.
    QStringList trash(Box box, const QStringList &fileNames);
    void afterErase(Grid grid);

    BoxWindowModel &m_window;
    Messenger &m_messenger;
    MessageTrash &m_trash;
};

// The text a rule takes from a row: the own names for lists 1 and 2, the
// address of the other party for lists 3 and 4 (inside "<>", else without
// the "()" comment).
QString ruleText(int list, const QString &otherParty, const QString &ownName);

} // namespace vesk
