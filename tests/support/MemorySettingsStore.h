#pragma once

#include "settings/SettingsStore.h"

namespace vesk {

// A settings store that lives only in memory.
class MemorySettingsStore final : public SettingsStore
{
public:
    // How often the settings would have been written out.
    int saveCount() const { return m_saveCount; }
    // Makes every following save fail with `error` (empty: saves succeed).
    void failSaves(const QString &error) { m_failure = error; }

protected:
    std::optional<IniDocument> loadIfChanged() override { return std::nullopt; }
    bool persist(const IniDocument &document, QString *error) override;

private:
    int m_saveCount = 0;
    QString m_failure;
};

} // namespace vesk
