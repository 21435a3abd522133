#include "store/japanese/CharsetConverter.h"

namespace vesk {
namespace {

// Characters pass between the two steps as fixed four-byte units, so that a
// character CP932 lacks is replaced once, not once per byte.
constexpr char kCharacters[] = "UTF-32BE";
constexpr qsizetype kCharacterSize = 4;
constexpr QByteArrayView kGetaMark("\x00\x00\x30\x13", 4); // 〓 in UTF-32BE
constexpr QByteArrayView kGetaMarkSjis("\x81\xAC");

// Mail names few charsets, but the labels come from the sender.
constexpr qsizetype kMostDecoders = 32;

} // namespace

CharsetConverter::CharsetConverter()
    : m_toSjis("CP932", kCharacters)
{ }

Iconv &CharsetConverter::decoderFor(const QByteArray &charset)
{
    auto it = m_decoders.find(charset);
    if (it == m_decoders.end()) {
        if (m_decoders.size() >= kMostDecoders)
            m_decoders.clear();
        it = m_decoders.insert(charset, std::make_shared<Iconv>(kCharacters, charset.constData()));
    }
    return **it;
}

bool CharsetConverter::knows(const QByteArray &charset)
{
    return !charset.isEmpty() && !charset.contains('\0') && decoderFor(charset).isValid();
}

void CharsetConverter::toSjis(const QByteArray &charset, QByteArrayView text, QByteArray &out)
{
    if (!knows(charset)) {
        for (qsizetype i = 0; i < text.size(); ++i)
            out.append(kGetaMarkSjis);
        return;
    }
    m_characters.truncate(0); // keeps the capacity for the next value
    decoderFor(charset).convert(text, m_characters, kGetaMark);
    m_toSjis.convert(m_characters, out, kGetaMarkSjis, kCharacterSize);
}

} // namespace vesk
