// What a provider says about tokens: a SASL error challenge and a token
// endpoint's answer. Neither may crash, hang or hand on a token that could
// not travel on a protocol line.
#include "auth/TokenReply.h"
#include "session/BearerSasl.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)vesk::bearer::refusalLine(input);
    if (const auto status = vesk::bearer::decodeError(input.toByteArray().toBase64())) {
        for (const QChar c : status->status + status->scope) {
            if (c.category() == QChar::Other_Control)
                std::abort();
        }
    }
    if (const auto reply = vesk::parseTokenReply(input)) {
        for (const QString &token : { reply->accessToken, reply->refreshToken }) {
            if (!token.isEmpty() && !vesk::plausibleToken(token))
                std::abort();
        }
        if (reply->expiresIn < 0)
            std::abort();
    }
    return 0;
}
