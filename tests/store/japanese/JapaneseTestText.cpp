#include "JapaneseTestText.h"

#include "store/japanese/Iconv.h"

#include <stdexcept>

namespace vesk::test {

QByteArray hex(const char *pairs)
{
    return QByteArray::fromHex(QByteArray(pairs));
}

QByteArray encoded(const char *code, const QString &text)
{
    Iconv iconv(code, "UTF-8");
    if (!iconv.isValid())
        throw std::runtime_error(std::string("no iconv for ") + code);
    QByteArray out;
    if (iconv.convert(text.toUtf8(), out, "?") != 0)
        throw std::runtime_error(std::string("text does not fit ") + code);
    return out;
}

QByteArray sjis(const QString &text)
{
    return encoded("CP932", text);
}

QByteArray jis(const QString &text)
{
    return encoded("ISO-2022-JP", text);
}

QByteArray euc(const QString &text)
{
    return encoded("EUC-JP", text);
}

QString fromSjis(const QByteArray &bytes)
{
    Iconv iconv("UTF-8", "CP932");
    QByteArray out;
    iconv.convert(bytes, out, "\xEF\xBF\xBD");
    return QString::fromUtf8(out);
}

QByteArray jisWord(const QString &text, const char *prefix)
{
    return QByteArray(prefix) + jis(text).toBase64() + "?=";
}

} // namespace vesk::test
