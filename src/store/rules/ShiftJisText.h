#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Character-aware operations on Shift_JIS bytes. A lead byte (0x81-0x9F,
// 0xE0-0xFC) and the byte after it form one character; every other byte,
// half-width katakana included, is a character by itself.
namespace vesk::shiftjis {

inline bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// ASCII letters upper-cased; double-byte characters are left alone, so a
// trail byte in the range of "a" to "z" stays what it is.
QByteArray toUpper(QByteArrayView text);

// Whether `needle` occurs in `text` starting and ending on character
// boundaries of `text`, so that no double-byte character is split. Both are
// compared as given (upper-case them first for a case-insensitive test). An
// empty text or needle never matches.
bool contains(QByteArrayView text, QByteArrayView needle);

// Unicode text in Shift_JIS (the CP932 table); nothing when a character has
// no Shift_JIS form.
std::optional<QByteArray> fromUnicode(const QString &text);

} // namespace vesk::shiftjis
