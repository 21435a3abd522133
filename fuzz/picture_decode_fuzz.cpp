// Arbitrary bytes as a slideshow picture: decoding ends with a picture no
// larger than the bound, or with a reason, never with a crash.
#include "platform/gui/PictureDecoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vesk;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QSize bound(320, 240);
    QString error;
    const QImage image = PictureDecoder::decode(bytes, bound, &error);
    if (image.isNull() ? error.isEmpty() : image.width() > bound.width() || image.height() > bound.height())
        std::abort();
    return 0;
}
