#include "session/BearerSasl.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace vesk::bearer {
namespace {

// A field as a short line of text: whatever a server puts there reaches the
// monitor, so no control characters and no essays.
QString field(const QJsonObject &object, QLatin1StringView key)
{
    constexpr qsizetype MaxField = 200;
    const QJsonValue value = object.value(key);
    // A number as written ("401"); any size, so no cast to an integer.
    QString text = value.isDouble() ? QString::number(value.toDouble(), 'g', 16) : value.toString();
    text.truncate(MaxField);
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = u'?';
    }
    return text;
}

// RFC 7628 3.1: "," and "=" of the authorization identity are escaped.
QByteArray saslName(const QString &user)
{
    QByteArray out;
    for (const char c : user.toUtf8()) {
        if (c == ',')
            out += "=2C";
        else if (c == '=')
            out += "=3D";
        else
            out += c;
    }
    return out;
}

} // namespace

QByteArray name(Mechanism mechanism)
{
    return mechanism == Mechanism::XOAuth2 ? QByteArrayLiteral("XOAUTH2") : QByteArrayLiteral("OAUTHBEARER");
}

QByteArray response(Mechanism mechanism, const QString &user, const QString &token)
{
    const QByteArray auth = "auth=Bearer " + token.toUtf8() + "\x01\x01";
    if (mechanism == Mechanism::XOAuth2)
        return "user=" + user.toUtf8() + '\x01' + auth;
    return "n,a=" + saslName(user) + ",\x01" + auth;
}

QByteArray errorAnswer(Mechanism mechanism)
{
    return mechanism == Mechanism::XOAuth2 ? QByteArray() : QByteArrayLiteral("AQ==");
}

std::optional<ErrorStatus> decodeError(QByteArrayView base64)
{
    const QByteArrayView text = base64.trimmed();
    if (text.isEmpty() || text.size() > MaxChallenge)
        return std::nullopt;
    const auto decoded
        = QByteArray::fromBase64Encoding(text.toByteArray(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(decoded.decoded, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    ErrorStatus status { field(object, QLatin1StringView("status")),
        field(object, QLatin1StringView("scope")) };
    if (status.status.isEmpty())
        return std::nullopt;
    return status;
}

QString refusalLine(QByteArrayView challenge)
{
    const std::optional<ErrorStatus> status = decodeError(challenge);
    if (!status)
        return QStringLiteral("VeskTalk< サーバーがアクセストークンを受け付けませんでした >");
    QString line = QStringLiteral("VeskTalk< サーバーがアクセストークンを受け付けませんでした : status ")
        + status->status;
    if (!status->scope.isEmpty())
        line += QStringLiteral(" scope ") + status->scope;
    return line + QStringLiteral(" >");
}

} // namespace vesk::bearer
