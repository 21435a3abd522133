#pragma once

#include "extras/settings/SettingsDialogModel.h"

#include <QPushButton>

namespace vesk {

// "Font": a button drawn in a font of the settings; the font dialog, preset
// with it, chooses another. The colour is kept as it is (its own button
// chooses it).
class FontButton final : public QPushButton
{
    Q_OBJECT
public:
    explicit FontButton(QWidget *parent = nullptr);

    const SettingsDialogModel::FontChoice &choice() const { return m_choice; }
    void setChoice(const SettingsDialogModel::FontChoice &choice);

    static QFont fontOf(const SettingsDialogModel::FontChoice &choice);

signals:
    void fontChosen();

private:
    void choose();

    SettingsDialogModel::FontChoice m_choice;
};

} // namespace vesk
