#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace vesk {

// The bytes of an encoded-word's payload in its encoding, 'B' (base64) or 'Q'
// ("_" a space, "=XX" a byte in hexadecimal, any case). Blanks inside come
// from a folded line and are skipped. Nothing when the payload is not what
// its encoding allows, so that the word can stay as it was written.
std::optional<QByteArray> decodeWordPayload(char encoding, QByteArrayView payload);

} // namespace vesk
