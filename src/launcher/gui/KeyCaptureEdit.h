#pragma once

#include <QLineEdit>

namespace vesk {

// htkEdit: a field that shows the key combination pressed in it, in the
// short-cut text ("Ctrl+Alt+E"), instead of typing. Backspace or Delete
// alone empty it.
class KeyCaptureEdit final : public QLineEdit
{
    Q_OBJECT

public:
    explicit KeyCaptureEdit(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Tab and the like are combinations to catch here, not focus moves.
    bool event(QEvent *event) override;
};

} // namespace vesk
