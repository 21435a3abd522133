#include "boxes/BodyDecoder.h"

#include "boxes/QuotedPrintable.h"
#include "platform/Blanks.h"
#include "store/japanese/ByteText.h"
#include "store/japanese/JCode.h"
#include "store/japanese/MimeCharset.h"
#include "store/japanese/MimeDecode.h"
#include "store/japanese/Utf8Text.h"

namespace vesk {
namespace {

QByteArray withoutBlanks(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            out.append(c);
    }
    return out;
}

} // namespace

QString BodyDecoder::headerLine(QByteArrayView line)
{
    return m_decoder.toUnicode(MimeDecode(line));
}

QString BodyDecoder::rawLine(QByteArrayView line)
{
    return m_decoder.toUnicode(guessedToSjis(line));
}

QByteArray BodyDecoder::guessedToSjis(QByteArrayView text)
{
    if (isUtf8Text(text)) {
        QByteArray sjis;
        m_converter.toSjis("UTF-8", text, sjis);
        return sjis;
    }
    QByteArray sjis = JCodeConvert(text, JCodeSjis);
    bytetext::removeEscapes(sjis);
    return sjis;
}

QString BodyDecoder::text(
    QByteArrayView content, QByteArrayView transferEncoding, QByteArrayView charsetLabel)
{
    const QByteArray encoding = bytetext::toUpper(Blanks::trimmed(transferEncoding));
    QByteArray bytes;
    if (encoding == "BASE64")
        bytes = Base64Decode(withoutBlanks(content));
    else if (encoding == "QUOTED-PRINTABLE")
        bytes = decodeQuotedPrintable(content);
    else
        bytes = content.toByteArray();

    const QByteArray charset = mimeCharsetName(Blanks::trimmed(charsetLabel));
    if (charset.isEmpty() || charset == "US-ASCII" || charset == kJisCharset || !m_converter.knows(charset))
        return m_decoder.toUnicode(guessedToSjis(bytes));
    QByteArray sjis;
    m_converter.toSjis(charset, bytes, sjis);
    return m_decoder.toUnicode(sjis);
}

} // namespace vesk
