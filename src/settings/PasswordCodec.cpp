#include "settings/PasswordCodec.h"

#include "settings/NumberText.h"

#include <QStringDecoder>

namespace vesk {

QString PasswordCodec::encode(const QString &password)
{
    if (password.isEmpty())
        return {};
    return QStringLiteral("..") + QString::fromLatin1(password.toUtf8().toHex().toUpper());
}

std::optional<QString> PasswordCodec::decode(const QString &stored)
{
    if (!stored.startsWith(u".."))
        return std::nullopt;
    const qsizetype pairs = stored.size() / 2 - 1;
    QByteArray bytes;
    bytes.reserve(pairs);
    for (qsizetype i = 0; i < pairs; ++i) {
        const int high = hexDigit(stored.at(2 + 2 * i));
        const int low = hexDigit(stored.at(3 + 2 * i));
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.append(char(high << 4 | low));
    }
    QStringDecoder utf8(
        QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString password = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return password;
}

} // namespace vesk
