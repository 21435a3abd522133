// Code detection and every conversion on arbitrary bytes: never reads or
// writes out of bounds, always gives a kind of the table, output bounded.
#include "store/japanese/JCode.h"
#include "store/japanese/SjisDecoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static vesk::SjisDecoder decoder;
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const int kind = vesk::JCodeCheck(text);
    if (kind < vesk::JCodeNone || kind > vesk::JCodeEucOrSjis)
        std::abort();
    for (int target : { vesk::JCodeJis, vesk::JCodeEuc, vesk::JCodeSjis, vesk::JCodeOldJis }) {
        const QByteArray out = vesk::JCodeConvert(text, target);
        // Kana and mode changes at most quintuple a byte.
        if (out.size() > 5 * qsizetype(size))
            std::abort();
        if (target == vesk::JCodeSjis && out.size() > qsizetype(size))
            std::abort();
    }
    // Whatever the bytes, the display conversion shows something for each.
    const QString shown = decoder.toUnicode(text);
    if (shown.size() > qsizetype(size))
        std::abort();
    return 0;
}
