#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vesk {

// A token endpoint's answer (RFC 6749 5.1 and 5.2).
struct TokenReply
{
    QString accessToken;
    qint64 expiresIn = 0; // seconds; 0 when not said
    QString refreshToken; // a new one, when the provider rotates them
    QString error; // "invalid_grant", ...
    QString errorDescription;
};

// Answers larger than this are not read.
constexpr qsizetype MaxTokenReply = 64 * 1024;
// A token longer than this is no token (they are a few KiB at most).
constexpr qsizetype MaxTokenLength = 16 * 1024;

// The answer, or nothing when it is not a JSON object within the limit.
// Tokens that could not travel on a protocol line (controls, spaces,
// non-ASCII, too long) are left out.
std::optional<TokenReply> parseTokenReply(QByteArrayView body);

// Printable ASCII without spaces, as a bearer token is (RFC 6750 2.1).
bool plausibleToken(QStringView token);

} // namespace vesk
