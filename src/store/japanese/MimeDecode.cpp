#include "store/japanese/MimeDecode.h"

#include "platform/Blanks.h"
#include "store/japanese/ByteText.h"
#include "store/japanese/CharsetConverter.h"
#include "store/japanese/EncodedWordScanner.h"
#include "store/japanese/JCode.h"
#include "store/japanese/JisWordRun.h"
#include "store/japanese/MimeCharset.h"
#include "store/japanese/Utf8Text.h"
#include "store/japanese/WordPayload.h"

#include <algorithm>

namespace vesk {
namespace {

CharsetConverter &converter()
{
    static thread_local CharsetConverter instance;
    return instance;
}

bool isBlank(QByteArrayView text)
{
    for (char c : text) {
        if (!Blanks::isBlank(c))
            return false;
    }
    return true;
}

// Text in the code JCodeCheck finds, as Shift_JIS without escape sequences.
void appendJapanese(QByteArrayView text, QByteArray &out)
{
    const bool plainAscii
        = std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80 && c != 0x1B; });
    if (plainAscii) { // most values: nothing to convert
        out.append(text);
        return;
    }
    QByteArray converted = JCodeConvert(text, JCodeSjis);
    bytetext::removeEscapes(converted);
    out.append(converted);
}

// Collects the pieces of one value in order and converts each: plain text
// (literal words included) by what its bytes are, and adjacent words of one
// charset together, so that a character split over two words joins again.
class DisplayText
{
public:
    void plain(QByteArrayView text)
    {
        flushWords();
        m_plain.append(text);
    }

    void word(const QByteArray &charset, QByteArrayView bytes)
    {
        flushPlain();
        if (charset != m_charset)
            flushWords();
        m_charset = charset;
        if (charset == kJisCharset)
            m_jis.append(bytes);
        else
            m_words.append(bytes);
    }

    QByteArray take()
    {
        flushPlain();
        flushWords();
        return std::move(m_out);
    }

private:
    void flushPlain()
    {
        if (m_plain.isEmpty())
            return;
        if (isUtf8Text(m_plain))
            converter().toSjis("UTF-8", m_plain, m_out);
        else
            appendJapanese(m_plain, m_out);
        m_plain.truncate(0);
    }

    void flushWords()
    {
        if (!m_jis.isEmpty())
            appendJapanese(m_jis.take(), m_out);
        if (!m_words.isEmpty())
            converter().toSjis(m_charset, m_words, m_out);
        m_words.truncate(0);
        m_charset.truncate(0);
    }

    QByteArray m_out;
    QByteArray m_plain;
    QByteArray m_charset; // of the words collected
    QByteArray m_words;
    JisWordRun m_jis;
};

} // namespace

QByteArray MimeDecode(QByteArrayView text)
{
    DisplayText display;
    EncodedWordScanner scanner(text);
    qsizetype pos = 0;
    bool afterWord = false;
    while (const std::optional<EncodedWord> word = scanner.next(pos)) {
        const QByteArrayView gap = text.sliced(pos, word->begin - pos);
        const QByteArray charset = mimeCharsetName(word->charset);
        const bool known = charset == kJisCharset || converter().knows(charset);
        const std::optional<QByteArray> bytes
            = known ? decodeWordPayload(word->encoding, word->payload) : std::nullopt;
        pos = word->end;
        if (!bytes) {
            // Not a word that decodes: it stays as it was written.
            display.plain(gap);
            display.plain(text.sliced(word->begin, word->end - word->begin));
            afterWord = false;
            continue;
        }
        // White space between two words only separates them.
        if (!(afterWord && isBlank(gap)))
            display.plain(gap);
        display.word(charset, *bytes);
        afterWord = true;
    }
    display.plain(text.sliced(pos));
    return display.take();
}

} // namespace vesk
