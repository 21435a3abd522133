#include "platform/Blanks.h"

namespace vesk {
namespace {

template<typename View, typename Test>
View rightTrim(View text, Test blank)
{
    qsizetype end = text.size();
    while (end > 0 && blank(text[end - 1]))
        --end;
    return text.first(end);
}

template<typename View, typename Test>
View trim(View text, Test blank)
{
    qsizetype begin = 0;
    while (begin < text.size() && blank(text[begin]))
        ++begin;
    return rightTrim(text.sliced(begin), blank);
}

bool isBlankByte(char c)
{
    return Blanks::isBlank(char16_t(static_cast<unsigned char>(c)));
}

bool isBlankChar(QChar c)
{
    return Blanks::isBlank(c.unicode());
}

} // namespace

QByteArrayView Blanks::trimmed(QByteArrayView text)
{
    return trim(text, isBlankByte);
}

QStringView Blanks::trimmed(QStringView text)
{
    return trim(text, isBlankChar);
}

QByteArrayView Blanks::rightTrimmed(QByteArrayView text)
{
    return rightTrim(text, isBlankByte);
}

QStringView Blanks::rightTrimmed(QStringView text)
{
    return rightTrim(text, isBlankChar);
}

QByteArrayView Blanks::trimmedOfControls(QByteArrayView text)
{
    return trim(text, isBlankOrControl);
}

} // namespace vesk
