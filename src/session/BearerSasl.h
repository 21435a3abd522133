#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vesk {

// The SASL mechanisms that carry an OAuth 2.0 access token: XOAUTH2 (as
// Google and Microsoft first defined it) and OAUTHBEARER (RFC 7628).
namespace bearer {

enum class Mechanism { XOAuth2, OAuthBearer };

QByteArray name(Mechanism mechanism);
// The client's response, before base64.
QByteArray response(Mechanism mechanism, const QString &user, const QString &token);
// What a client answers to a server's error challenge so that the server
// can end the exchange (RFC 7628 3.2.3; an empty line for XOAUTH2).
QByteArray errorAnswer(Mechanism mechanism);

// The JSON status a server sends, base64-encoded, in place of success
// ({"status":"401","schemes":"bearer","scope":"..."}).
struct ErrorStatus
{
    QString status;
    QString scope;
};
// Longer challenges are not read: a status fits in far less.
constexpr qsizetype MaxChallenge = 4096;
// The status of a challenge, or nothing when it is not one.
std::optional<ErrorStatus> decodeError(QByteArrayView base64);
// The monitor line for a refused token; `challenge` as the server sent it.
QString refusalLine(QByteArrayView challenge);

} // namespace bearer
} // namespace vesk
