#pragma once

#include <QByteArrayView>

namespace vesk {

// Whether raw 8-bit text is UTF-8: at least one byte above 0x7F, and every
// such byte part of a well-formed sequence (no overlong forms, surrogates or
// values past U+10FFFF). Japanese text in Shift_JIS or EUC-JP practically
// never passes: their kana and most kanji start with bytes that UTF-8 uses
// only inside a sequence.
bool isUtf8Text(QByteArrayView text);

} // namespace vesk
