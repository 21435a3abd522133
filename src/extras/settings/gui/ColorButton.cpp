#include "extras/settings/gui/ColorButton.h"

#include "extras/settings/gui/DesktopColor.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace vesk {

ColorButton::ColorButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &ColorButton::choose);
    setColor(m_color);
}

void ColorButton::setColor(ColorValue color)
{
    m_color = color;
    QPixmap swatch(28, 14);
    swatch.fill(desktopColor(color));
    QPainter frame(&swatch);
    frame.setPen(palette().color(QPalette::Dark));
    frame.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    frame.end();
    setIcon(swatch);
    setIconSize(swatch.size());
}

void ColorButton::choose()
{
    emit choosing();
    const QColor chosen = QColorDialog::getColor(desktopColor(m_color), this, text());
    if (!chosen.isValid())
        return;
    setColor(ColorValue::fromRgb(chosen.red(), chosen.green(), chosen.blue()));
    emit colorChosen(m_color);
}

} // namespace vesk
