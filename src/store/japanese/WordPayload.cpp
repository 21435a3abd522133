#include "store/japanese/WordPayload.h"

#include "platform/Blanks.h"
#include "store/japanese/ByteText.h"
#include "store/japanese/MimeDecode.h"

namespace vesk {
namespace {

bool isBase64Char(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

// Base64 with its padding, if any, only at the end; mailers often leave the
// padding out. A lone character in the last group holds no byte.
std::optional<QByteArray> decodeB(QByteArrayView payload)
{
    qsizetype data = 0;
    bool padded = false;
    bool blanks = false;
    for (char c : payload) {
        if (Blanks::isBlank(c)) {
            blanks = true;
        } else if (c == '=') {
            padded = true;
        } else if (padded || !isBase64Char(c)) {
            return std::nullopt;
        } else {
            ++data;
        }
    }
    if (data % 4 == 1)
        return std::nullopt;
    if (!blanks)
        return Base64Decode(payload);
    QByteArray joined;
    joined.reserve(payload.size());
    for (char c : payload) {
        if (!Blanks::isBlank(c))
            joined.append(c);
    }
    return Base64Decode(joined);
}

std::optional<QByteArray> decodeQ(QByteArrayView payload)
{
    QByteArray bytes(payload.size(), Qt::Uninitialized);
    char *out = bytes.data();
    qsizetype length = 0;
    for (qsizetype i = 0; i < payload.size(); ++i) {
        const char c = payload[i];
        if (c == '_') {
            out[length++] = ' ';
        } else if (c == '=') {
            const int high = i + 1 < payload.size() ? bytetext::hexValue(payload[i + 1]) : -1;
            const int low = i + 2 < payload.size() ? bytetext::hexValue(payload[i + 2]) : -1;
            if (high < 0 || low < 0)
                return std::nullopt;
            out[length++] = char(high * 16 + low);
            i += 2;
        } else if (!Blanks::isBlank(c)) {
            out[length++] = c;
        }
    }
    bytes.truncate(length);
    return bytes;
}

} // namespace

std::optional<QByteArray> decodeWordPayload(char encoding, QByteArrayView payload)
{
    return encoding == 'B' ? decodeB(payload) : decodeQ(payload);
}

} // namespace vesk
