#include "settings/PortDialogModel.h"

#include "settings/NumberText.h"
#include "settings/SettingsSections.h"
#include "settings/SettingsStore.h"

namespace vesk {

const std::array<PortDialogModel::Field, PortDialogModel::FieldCount> &PortDialogModel::fields()
{
    static const std::array<Field, FieldCount> table = { {
        { "SMTP_ServerVesk", 25 },
        { "SMTP_VeskMailer1", 10025 },
        { "SMTP_VeskMailer2", 10250 },
        { "POP3_ServerVesk", 110 },
        { "POP3_VeskMailer1", 10110 },
        { "POP3_VeskMailer2", 1100 },
    } };
    return table;
}

PortDialogModel::PortDialogModel()
{
    resetToDefaults();
}

void PortDialogModel::load(SettingsStore &store)
{
    for (int i = 0; i < FieldCount; ++i) {
        const Field &field = fields()[i];
        m_texts[i] = QString::number(
            store.readInteger(sections::Config, QString::fromLatin1(field.name), field.defaultPort));
    }
}

void PortDialogModel::setText(int field, const QString &text)
{
    if (field >= 0 && field < FieldCount)
        m_texts[field] = text;
}

void PortDialogModel::resetToDefaults()
{
    m_texts.clear();
    for (const Field &field : fields())
        m_texts << QString::number(field.defaultPort);
}

int PortDialogModel::port(int field) const
{
    if (field < 0 || field >= FieldCount)
        return 0;
    const std::optional<int> number = parseDecimal(m_texts[field].trimmed());
    // A port outside 1-65535 could never be listened on or connected to.
    if (!number || *number < 1 || *number > 65535)
        return fields()[field].defaultPort;
    return *number;
}

bool PortDialogModel::accept(SettingsStore &store) const
{
    SettingsStore::Batch batch(store);
    for (int i = 0; i < FieldCount; ++i)
        store.writeInteger(sections::Config, QString::fromLatin1(fields()[i].name), port(i));
    return batch.commit();
}

} // namespace vesk
