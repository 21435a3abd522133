// Rule matching on arbitrary bytes: never crashes, and agrees with a plain
// character-by-character search. Input: rule bytes (Shift_JIS), NUL, text,
// NUL, X-Mailer value.
#include "store/japanese/Iconv.h"
#include "store/rules/DistributionRule.h"
#include "store/rules/ShiftJisText.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

using namespace vesk;

// The character starts of a Shift_JIS text.
QList<qsizetype> boundaries(QByteArrayView text)
{
    QList<qsizetype> starts;
    for (qsizetype i = 0; i < text.size();) {
        starts << i;
        i += shiftjis::isLeadByte(uchar(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    starts << text.size();
    return starts;
}

bool plainContains(QByteArrayView text, QByteArrayView needle)
{
    if (text.isEmpty() || needle.isEmpty())
        return false;
    const QList<qsizetype> starts = boundaries(text);
    for (qsizetype start : starts) {
        if (text.sliced(start).startsWith(needle) && starts.contains(start + needle.size()))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> parts = input.split('\0');
    const QByteArray rule = parts.value(0);
    const QByteArray text = parts.value(1);
    const QByteArray mailer = parts.value(2);

    const QByteArray upperText = shiftjis::toUpper(text);
    const QByteArray upperRule = shiftjis::toUpper(rule);
    if (upperText.size() != text.size())
        std::abort();
    if (shiftjis::contains(upperText, upperRule) != plainContains(upperText, upperRule))
        std::abort();

    Iconv decoder("UTF-8", "CP932");
    QByteArray utf8;
    decoder.convert(rule, utf8, "?");
    DistributionRule compiled(QString::fromUtf8(utf8));
    compiled.matches(upperText, shiftjis::toUpper(mailer));
    return 0;
}
