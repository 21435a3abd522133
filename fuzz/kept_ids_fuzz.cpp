// The id list of leave mode from arbitrary bytes: never crashes, every entry
// it takes has a usable id, and what it writes back reads back the same.
#include "session/KeptIds.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const vesk::KeptIds::Map entries = vesk::KeptIds::parse(text);
    for (auto it = entries.cbegin(); it != entries.cend(); ++it) {
        if (!vesk::KeptIds::usableId(it.key()) || !it.value().stored.isValid())
            std::abort();
    }
    const QByteArray written = vesk::KeptIds::serialize(entries);
    const vesk::KeptIds::Map again = vesk::KeptIds::parse(written);
    if (again.keys() != entries.keys() || vesk::KeptIds::serialize(again) != written)
        std::abort();
    return 0;
}
