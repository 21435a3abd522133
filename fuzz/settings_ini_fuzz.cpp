// Arbitrary bytes as a settings file: parsing never fails, and what is written
// back reads as the same settings and writes out the same again.
#include "settings/ColorValue.h"
#include "settings/IniFormat.h"
#include "settings/PasswordCodec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vesk;
    const IniDocument first = IniFormat::parse(QByteArrayView(data, qsizetype(size)));
    const QByteArray written = IniFormat::write(first);
    const IniDocument second = IniFormat::parse(written);
    if (!(second == first) || IniFormat::write(second) != written)
        std::abort();

    // The value conversions must round-trip whatever text they accept.
    for (const IniSection &section : first.sections()) {
        for (const IniEntry &entry : section.entries()) {
            if (auto color = ColorValue::fromText(entry.value)) {
                if (ColorValue::fromText(color->toText()) != color)
                    std::abort();
            }
            if (auto password = PasswordCodec::decode(entry.value)) {
                if (PasswordCodec::decode(PasswordCodec::encode(*password)).value_or(QString()) != *password)
                    std::abort();
            }
        }
    }
    return 0;
}
