#pragma once

#include "store/japanese/Iconv.h"

#include <QByteArrayView>
#include <QString>

namespace vesk {

// Shift_JIS display text to Unicode through the CP932 table, which also
// covers the extension characters common in Japanese mail. A byte that does
// not fit shows as U+FFFD and the rest is still shown.
class SjisDecoder final
{
public:
    SjisDecoder();
    QString toUnicode(QByteArrayView sjis);

private:
    Iconv m_iconv;
    QByteArray m_buffer;
};

} // namespace vesk
