#pragma once

#include "settings/ColorValue.h"

#include <QPushButton>

namespace vesk {

// A button that shows a colour of the settings and lets the user choose
// another with the colour dialog.
class ColorButton final : public QPushButton
{
    Q_OBJECT
public:
    explicit ColorButton(const QString &text, QWidget *parent = nullptr);

    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);

signals:
    // The colour dialog is about to open.
    void choosing();
    // Another colour was chosen.
    void colorChosen(vesk::ColorValue color);

private:
    void choose();

    ColorValue m_color;
};

} // namespace vesk
