#pragma once

#include "store/japanese/Iconv.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

#include <memory>

namespace vesk {

// Text in any charset that iconv knows, converted to Shift_JIS with the CP932
// extensions (①, ㈱, ...). A character Shift_JIS cannot hold, or a byte that
// does not fit the charset, becomes "〓", so the result never holds a broken
// sequence. Converters are opened once per charset and kept.
class CharsetConverter final
{
public:
    CharsetConverter();

    // Whether text in `charset` (a name from mimeCharsetName) can be converted.
    bool knows(const QByteArray &charset);

    // Appends `text` in `charset` as Shift_JIS to `out`. A charset that is not
    // known gives "〓" for each byte.
    void toSjis(const QByteArray &charset, QByteArrayView text, QByteArray &out);

private:
    Iconv *decoderFor(const QByteArray &charset);

    Iconv m_toSjis;
    QHash<QByteArray, std::shared_ptr<Iconv>> m_decoders;
    QByteArray m_characters;
};

} // namespace vesk
