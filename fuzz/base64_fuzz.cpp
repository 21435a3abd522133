// Base64 decoding of arbitrary bytes: never longer than the length rule allows.
#include "store/japanese/MimeDecode.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    qsizetype k = 0;
    for (char c : text) {
        if (c != '\r' && c != '\n' && c != '=')
            ++k;
    }
    const qsizetype limit = (k / 4) * 3 + (k % 4 != 0 ? k % 4 - 1 : 0);
    if (vesk::Base64Decode(text).size() > limit)
        std::abort();
    return 0;
}
