// Arbitrary bytes as the desktop's XSETTINGS property (any X client can set
// it): parsing ends, within the bytes, with a list or nothing.
#include "platform/XSettings.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vesk;
    const auto settings = XSettings::parse(QByteArrayView(data, qsizetype(size)));
    if (settings) {
        const DesktopSoundSettings sound = DesktopSoundSettings::from(*settings);
        if (sound.themeName.size() > qsizetype(size))
            std::abort();
    }
    return 0;
}
