#include "settings/PortDialogModel.h"

#include "settings/NumberText.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTable.h"

namespace vesk {

const std::array<int Settings::*, PortDialogModel::FieldCount> &PortDialogModel::fields()
{
    static const std::array<int Settings::*, FieldCount> table = {
        &Settings::SMTP_ServerVesk,
        &Settings::SMTP_VeskMailer1,
        &Settings::SMTP_VeskMailer2,
        &Settings::POP3_ServerVesk,
        &Settings::POP3_VeskMailer1,
        &Settings::POP3_VeskMailer2,
    };
    return table;
}

QString PortDialogModel::name(int field)
{
    return SettingsTable::nameOf(SettingsTable::entryOf(fields()[field]));
}

PortDialogModel::PortDialogModel()
{
    resetToDefaults();
}

void PortDialogModel::load(SettingsStore &store)
{
    for (int i = 0; i < FieldCount; ++i)
        m_texts[i] = QString::number(SettingsTable::value(store, fields()[i]));
}

void PortDialogModel::setText(int field, const QString &text)
{
    if (field >= 0 && field < FieldCount)
        m_texts[field] = text;
}

void PortDialogModel::resetToDefaults()
{
    m_texts.clear();
    for (int Settings::*field : fields())
        m_texts << QString::number(SettingsTable::defaultOf(field));
}

int PortDialogModel::port(int field) const
{
    if (field < 0 || field >= FieldCount)
        return 0;
    const std::optional<int> number = parseDecimal(m_texts[field].trimmed());
    // A port outside 1-65535 could never be listened on or connected to.
    if (!number || *number < 1 || *number > 65535)
        return SettingsTable::defaultOf(fields()[field]);
    return *number;
}

bool PortDialogModel::accept(SettingsStore &store) const
{
    SettingsStore::Batch batch(store);
    for (int i = 0; i < FieldCount; ++i)
        SettingsTable::setValue(store, fields()[i], port(i));
    return batch.commit();
}

} // namespace vesk
