#include "store/japanese/CharsetConverter.h"

namespace vesk {
namespace {

// Characters pass between the two steps as fixed four-byte units, so that a
// character CP932 lacks is replaced once, not once per byte.
constexpr char kCharacters[] = "UTF-32BE";
constexpr qsizetype kCharacterSize = 4;
constexpr QByteArrayView kGetaMark("\x00\x00\x30\x13", 4); // 〓 in UTF-32BE
constexpr QByteArrayView kGetaMarkSjis("\x81\xAC");

// Room for every charset name glibc knows, so that a value naming many of
// them never opens a converter twice; names it does not know cost little to
// try again and are not kept.
constexpr qsizetype kMostDecoders = 2048;

} // namespace

CharsetConverter::CharsetConverter()
    : m_toSjis("CP932", kCharacters)
{ }

Iconv *CharsetConverter::decoderFor(const QByteArray &charset)
{
    const auto it = m_decoders.constFind(charset);
    if (it != m_decoders.constEnd())
        return it->get();
    if (charset.isEmpty() || charset.contains('\0'))
        return nullptr;
    auto decoder = std::make_shared<Iconv>(kCharacters, charset.constData());
    if (!decoder->isValid())
        return nullptr;
    if (m_decoders.size() >= kMostDecoders)
        m_decoders.clear();
    m_decoders.insert(charset, decoder);
    return decoder.get();
}

bool CharsetConverter::knows(const QByteArray &charset)
{
    return decoderFor(charset) != nullptr;
}

void CharsetConverter::toSjis(const QByteArray &charset, QByteArrayView text, QByteArray &out)
{
    Iconv *decoder = decoderFor(charset);
    if (!decoder) {
        for (qsizetype i = 0; i < text.size(); ++i)
            out.append(kGetaMarkSjis);
        return;
    }
    m_characters.truncate(0); // keeps the capacity for the next value
    decoder->convert(text, m_characters, kGetaMark);
    m_toSjis.convert(m_characters, out, kGetaMarkSjis, kCharacterSize);
}

} // namespace vesk
