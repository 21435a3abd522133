#include "support/MemorySettingsStore.h"

namespace vesk {

bool MemorySettingsStore::persist(const IniDocument &, QString *error)
{
    if (!m_failure.isEmpty()) {
        *error = m_failure;
        return false;
    }
    ++m_saveCount;
    return true;
}

} // namespace vesk
