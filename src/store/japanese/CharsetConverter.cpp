#include "store/japanese/CharsetConverter.h"

#include <cwchar>

namespace vesk {
namespace {

// Characters pass between the two steps as fixed four-byte units, so that a
// character CP932 lacks is replaced once, not once per byte. glibc's own wide
// characters make each step a single conversion: where a step of a chained
// conversion fails, glibc converts the chunk again to find the place.
constexpr char kCharacters[] = "WCHAR_T";
constexpr qsizetype kCharacterSize = sizeof(wchar_t);
// A byte of TSCII can stand for four characters. With room for that from the
// start, a converter never runs out of it (see Iconv::convert).
constexpr qsizetype kMostCharactersPerByte = 4;
// A buffer grown by a huge value is not kept for the next one.
constexpr qsizetype kKeptBuffer = 256 * 1024;
constexpr char32_t kGetaMarkCode = U'\u3013';
const QByteArrayView kGetaMark(reinterpret_cast<const char *>(&kGetaMarkCode), sizeof(kGetaMarkCode));
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
    decoder->convert(text, m_characters, kGetaMark, 1, kMostCharactersPerByte * kCharacterSize);
    m_toSjis.convert(m_characters, out, kGetaMarkSjis, kCharacterSize);
    if (m_characters.capacity() > kKeptBuffer)
        m_characters = QByteArray();
}

} // namespace vesk
