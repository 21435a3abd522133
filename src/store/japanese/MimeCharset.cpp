#include "store/japanese/MimeCharset.h"

#include "store/japanese/ByteText.h"

namespace vesk {
namespace {

struct Alias
{
    QByteArrayView label;
    QByteArrayView name;
};

constexpr Alias kAliases[] = {
    { "CSISO2022JP", kJisCharset },
    { "ISO-2022-JP-MS", kJisCharset },
    { "CP50220", kJisCharset },
    { "CP50221", kJisCharset },
    { "CP50222", kJisCharset },
    { "SHIFT_JIS", "CP932" },
    { "SHIFT-JIS", "CP932" },
    { "SJIS", "CP932" },
    { "X-SJIS", "CP932" },
    { "MS_KANJI", "CP932" },
    { "CSSHIFTJIS", "CP932" },
    { "WINDOWS-31J", "CP932" },
    { "MS932", "CP932" },
    { "EUC-JP", "EUC-JP-MS" },
    { "EUCJP", "EUC-JP-MS" },
    { "X-EUC-JP", "EUC-JP-MS" },
    { "GB2312", "GBK" },
    { "CSGB2312", "GBK" },
    { "KS_C_5601-1987", "CP949" },
    { "EUC-KR", "CP949" },
};

} // namespace

QByteArray mimeCharsetName(QByteArrayView label)
{
    const qsizetype star = label.indexOf('*');
    const QByteArray name = bytetext::toUpper(star < 0 ? label : label.first(star));
    for (const Alias &alias : kAliases) {
        if (name == alias.label)
            return alias.name.toByteArray();
    }
    return name;
}

} // namespace vesk
