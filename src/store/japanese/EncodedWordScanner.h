#pragma once

#include <QByteArrayView>

#include <optional>

namespace vesk {

// One RFC 2047 encoded-word, "=?charset?B?payload?=", as found in a value.
struct EncodedWord
{
    qsizetype begin = 0; // the "=?"
    qsizetype end = 0; // just past the "?="
    QByteArrayView charset; // as written, any RFC 2231 language included
    char encoding = 0; // 'B' or 'Q'
    QByteArrayView payload; // may hold the blanks of a folded line
};

// Finds the encoded-words of one header value in order. The payload runs to
// the first "?=", as mailers write it; all searches together read the value
// about once, whatever it holds.
class EncodedWordScanner final
{
public:
    explicit EncodedWordScanner(QByteArrayView text)
        : m_text(text)
    { }

    // The first word that starts at or after `from`; `from` must not go back.
    std::optional<EncodedWord> next(qsizetype from);

private:
    qsizetype endAfter(qsizetype from);

    QByteArrayView m_text;
    qsizetype m_end = -1; // the last "?=" found
    bool m_noEnd = false; // no "?=" after the last search start
};

} // namespace vesk
