// Encoded-word decoding and the header value steps on arbitrary bytes.
#include "store/japanese/HeaderValue.h"
#include "store/japanese/MimeDecode.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    // A word's payload never decodes to more bytes than it has, and a byte stands for at most
    // four characters (TSCII), each at most two bytes of Shift_JIS.
    const QByteArray decoded = vesk::MimeDecode(text);
    if (decoded.size() > 8 * text.size())
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
