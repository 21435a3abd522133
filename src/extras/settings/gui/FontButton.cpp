#include "extras/settings/gui/FontButton.h"

#include "settings/FontStyleBits.h"

#include <QFontDialog>

namespace vesk {

FontButton::FontButton(QWidget *parent)
    : QPushButton(QStringLiteral("Font"), parent)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, &FontButton::choose);
}

QFont FontButton::fontOf(const SettingsDialogModel::FontChoice &choice)
{
    QFont font(choice.name);
    font.setPointSize(qBound(6, choice.size, 72));
    const FontStyleBits style(choice.style);
    font.setBold(style.has(FontStyleBits::Bold));
    font.setItalic(style.has(FontStyleBits::Italic));
    font.setUnderline(style.has(FontStyleBits::Underline));
    font.setStrikeOut(style.has(FontStyleBits::StrikeOut));
    return font;
}

void FontButton::setChoice(const SettingsDialogModel::FontChoice &choice)
{
    m_choice = choice;
    // Shown in the chosen face and style; a large size would not fit.
    QFont shown = fontOf(choice);
    shown.setPointSize(qMin(shown.pointSize(), 14));
    setFont(shown);
    setToolTip(QStringLiteral("%1 %2pt").arg(choice.name).arg(choice.size));
}

void FontButton::choose()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, fontOf(m_choice), this, QStringLiteral("Font"));
    if (!ok)
        return;
    SettingsDialogModel::FontChoice choice = m_choice;
    choice.name = chosen.family();
    choice.size = chosen.pointSize() > 0 ? chosen.pointSize() : m_choice.size;
    choice.style = FontStyleBits()
                       .with(FontStyleBits::Bold, chosen.bold())
                       .with(FontStyleBits::Italic, chosen.italic())
                       .with(FontStyleBits::Underline, chosen.underline())
                       .with(FontStyleBits::StrikeOut, chosen.strikeOut())
                       .bits();
    setChoice(choice);
    emit fontChosen();
}

} // namespace vesk
