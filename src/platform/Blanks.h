#pragma once

#include <QByteArrayView>
#include <QStringView>

namespace vesk {

// What counts as a blank at either end of a text read from a header, a
// settings file or a distribution rule: SP and TAB, and CR and LF, which are
// what is left of a line end. Nothing else: the ESC that opens or closes raw
// JIS text at either end of a header value must survive trimming, and a
// full-width space is a character of the text.
class Blanks final
{
public:
    static constexpr bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

    static QByteArrayView trimmed(QByteArrayView text);
    static QStringView trimmed(QStringView text);
    static QByteArrayView rightTrimmed(QByteArrayView text);
    static QStringView rightTrimmed(QStringView text);

    // Message ids are the exception: every control character around an
    // X-UIDL or Message-ID is dropped as well (an id is never JIS text), and
    // a header line made of nothing else ends the header there, so that the
    // ids mailers already know stay the same.
    static constexpr bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }
    static QByteArrayView trimmedOfControls(QByteArrayView text);
};

} // namespace vesk
