#pragma once

#include <QString>

#include <optional>

namespace vesk {

// The provider password as stored: ".." followed by two upper-case
// hexadecimal digits per UTF-8 byte. It only keeps the password from being
// read at a glance; there is no key.
class PasswordCodec
{
public:
    // Empty stays empty.
    static QString encode(const QString &password);
    // Stored by an older version in plain text (to be rewritten encoded).
    static bool isPlain(const QString &stored) { return !stored.isEmpty() && !stored.startsWith(u".."); }
    // Decodes an encoded text: (length div 2) - 1 pairs from the third
    // character on. Nothing when a pair is not hexadecimal or the bytes are not
    // UTF-8.
    static std::optional<QString> decode(const QString &stored);
};

} // namespace vesk
