#include "store/MessageNumber.h"

#include <limits>

namespace vesk {

std::optional<int> parseMessageNumber(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulate as a negative value so that the most negative int still fits.
    const qint64 limit
        = negative ? qint64(std::numeric_limits<int>::min()) : -qint64(std::numeric_limits<int>::max());
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 - (c - u'0');
        if (value < limit)
            return std::nullopt;
    }
    return int(negative ? value : -value);
}

} // namespace vesk
