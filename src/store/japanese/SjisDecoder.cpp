#include "store/japanese/SjisDecoder.h"

#include <QtEndian>

namespace vesk {
namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr char kUtf16[] = "UTF-16LE";
constexpr char kReplacement[] = "\xFD\xFF";
#else
constexpr char kUtf16[] = "UTF-16BE";
constexpr char kReplacement[] = "\xFF\xFD";
#endif

bool isAscii(QByteArrayView text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

SjisDecoder::SjisDecoder()
    : m_iconv(kUtf16, "CP932")
{ }

QString SjisDecoder::toUnicode(QByteArrayView sjis)
{
    if (isAscii(sjis)) // most cells: no conversion needed
        return QString::fromLatin1(sjis);
    m_buffer.truncate(0); // keeps the capacity for the next cell
    m_iconv.convert(sjis, m_buffer, QByteArrayView(kReplacement, 2));
    return QString(reinterpret_cast<const QChar *>(m_buffer.constData()), m_buffer.size() / 2);
}

} // namespace vesk
