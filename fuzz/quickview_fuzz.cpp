// The quick view's text on arbitrary message bytes: header lines, MIME parts,
// transfer encodings and charsets as any sender may write them.
#include "boxes/BodyDecoder.h"
#include "boxes/ChoimiText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static vesk::BodyDecoder decoder;
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    // The first byte picks the number of lines, as the setting Gyou would.
    const int gyou = size > 0 ? data[0] % 40 : 10;
    const vesk::ChoimiText shown = vesk::ChoimiText::fromMessage(text, gyou, decoder);
    // Never more lines than asked for, the preamble of a part and the mark.
    if (shown.body.size() > std::max(1, gyou) + 5)
        std::abort();
    return 0;
}
