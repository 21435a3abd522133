#include "settings/SettingsStore.h"

#include "settings/BoolInt.h"
#include "settings/IniFormat.h"
#include "settings/NumberText.h"

namespace vesk {

QString SettingsStore::readString(const QString &section, const QString &name, const QString &defaultValue)
{
    const QString *value = current().value(section, name);
    return value ? *value : defaultValue;
}

int SettingsStore::readInteger(const QString &section, const QString &name, int defaultValue)
{
    const QString *value = current().value(section, name);
    if (!value)
        return defaultValue;
    return parseDecimal(*value).value_or(defaultValue);
}

bool SettingsStore::readBool(const QString &section, const QString &name, bool defaultValue)
{
    return IntToBool(readInteger(section, name, BoolToInt(defaultValue)));
}

void SettingsStore::addSecretNotice(const QString &key, const QString &text)
{
    if (!m_toldSecrets.insert(key).second)
        return;
    if (!m_secretNotice.isEmpty())
        m_secretNotice += u'\n';
    m_secretNotice += text;
}

bool SettingsStore::contains(const QString &section, const QString &name)
{
    return current().value(section, name) != nullptr;
}

bool SettingsStore::writeString(const QString &section, const QString &name, const QString &value)
{
    if (!IniFormat::isValidSectionName(section))
        return false;
    current();
    return changed(m_document.setValue(section, name, value));
}

bool SettingsStore::writeInteger(const QString &section, const QString &name, int value)
{
    return writeString(section, name, QString::number(value));
}

bool SettingsStore::writeBool(const QString &section, const QString &name, bool value)
{
    return writeInteger(section, name, BoolToInt(value));
}

QStringList SettingsStore::readSection(const QString &section)
{
    QStringList lines;
    for (const IniEntry &entry : readSectionEntries(section))
        lines << entry.name + u'=' + entry.value;
    return lines;
}

QList<IniEntry> SettingsStore::readSectionEntries(const QString &section)
{
    const IniSection *found = current().section(section);
    return found ? found->entries() : QList<IniEntry>();
}

bool SettingsStore::eraseSection(const QString &section)
{
    current();
    return changed(m_document.removeSection(section));
}

bool SettingsStore::deleteValue(const QString &section, const QString &name)
{
    current();
    return changed(m_document.removeValue(section, name));
}

void SettingsStore::beginBatch()
{
    if (m_batchDepth++ == 0)
        current();
}

bool SettingsStore::endBatch()
{
    if (m_batchDepth > 0)
        --m_batchDepth;
    return m_batchDepth > 0 || flush();
}

bool SettingsStore::flush()
{
    if (!m_dirty)
        return true;
    QString error;
    if (!persist(m_document, &error)) {
        m_saveError = error;
        return false;
    }
    m_dirty = false;
    m_saveError.clear();
    return true;
}

QString SettingsStore::errorText() const
{
    if (!m_saveError.isEmpty())
        return m_saveError;
    return loadError();
}

bool SettingsStore::Batch::commit()
{
    if (m_store) {
        m_result = m_store->endBatch();
        m_store = nullptr;
    }
    return m_result;
}

const IniDocument &SettingsStore::current()
{
    // Unsaved values must never be replaced by what is on disk.
    if (!m_dirty) {
        if (auto loaded = loadIfChanged())
            m_document = std::move(*loaded);
    }
    return m_document;
}

bool SettingsStore::changed(bool anything)
{
    if (anything)
        m_dirty = true;
    if (m_batchDepth > 0)
        return true;
    return flush();
}

} // namespace vesk
