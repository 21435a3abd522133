#include "launcher/gui/KeyCaptureEdit.h"

#include "launcher/ShortCut.h"

#include <QKeyEvent>

namespace vesk {

KeyCaptureEdit::KeyCaptureEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setReadOnly(false);
    setContextMenuPolicy(Qt::NoContextMenu);
}

bool KeyCaptureEdit::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent *>(event));
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // The window's own short cuts must not take the keys away.
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void KeyCaptureEdit::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    if ((event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) && !shift && !ctrl && !alt) {
        setText(QString());
        return;
    }
    // A modifier alone waits for its key.
    if (const std::optional<ShortCut> cut = ShortCut::fromQtKey(event->key(), shift, ctrl, alt))
        setText(cut->text());
}

} // namespace vesk
