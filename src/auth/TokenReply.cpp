#include "auth/TokenReply.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace vesk {
namespace {

QString shortText(const QJsonObject &object, QLatin1StringView key)
{
    QString text = object.value(key).toString().left(300);
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = u' ';
    }
    return text;
}

QString token(const QJsonObject &object, QLatin1StringView key)
{
    const QString text = object.value(key).toString();
    return plausibleToken(text) ? text : QString();
}

} // namespace

bool plausibleToken(QStringView token)
{
    if (token.isEmpty() || token.size() > MaxTokenLength)
        return false;
    for (const QChar c : token) {
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7f)
            return false;
    }
    return true;
}

std::optional<TokenReply> parseTokenReply(QByteArrayView body)
{
    if (body.size() > MaxTokenReply)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    TokenReply reply;
    reply.accessToken = token(object, QLatin1StringView("access_token"));
    reply.refreshToken = token(object, QLatin1StringView("refresh_token"));
    // Some providers send the number as a string.
    const QJsonValue expires = object.value(QLatin1StringView("expires_in"));
    const double seconds = expires.isString() ? expires.toString().toDouble() : expires.toDouble();
    // At most a year: a larger figure would keep a dead token forever.
    constexpr double Year = 365 * 24 * 3600;
    reply.expiresIn = seconds > 0 ? qint64(std::min(seconds, Year)) : 0;
    reply.error = shortText(object, QLatin1StringView("error"));
    reply.errorDescription = shortText(object, QLatin1StringView("error_description"));
    return reply;
}

} // namespace vesk
