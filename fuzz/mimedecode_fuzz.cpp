// Encoded-word decoding and the header value steps on arbitrary bytes.
#include "store/japanese/HeaderValue.h"
#include "store/japanese/MimeDecode.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    // Conversion shrinks text or keeps its length, except that a byte of a single-byte charset
    // can become the two-byte geta mark; a word's payload never decodes to more bytes than it has.
    const QByteArray decoded = vesk::MimeDecode(text);
    if (decoded.size() > 2 * text.size())
        std::abort();
    const QByteArray checked = vesk::LenCheck(text);
    if (checked != text.toByteArray() && checked != ".....")
        std::abort();
    const QByteArray shown = vesk::ConvS(text);
    const QByteArray names = vesk::ExtractTo(shown);
    if (names.size() > shown.size())
        std::abort();
    return 0;
}
