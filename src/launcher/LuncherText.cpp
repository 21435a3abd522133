#include "launcher/LuncherText.h"

namespace vesk::luncher {
namespace {

bool blank(QChar c)
{
    return c.unicode() <= 32;
}

} // namespace

QString commaText(const QStringList &fields)
{
    QStringList parts;
    parts.reserve(fields.size());
    for (const QString &field : fields) {
        const bool quote = field.isEmpty() || std::any_of(field.begin(), field.end(), [](QChar c) {
            return blank(c) || c == u'"' || c == u',';
        });
        if (!quote) {
            parts << field;
            continue;
        }
        QString quoted = field;
        quoted.replace(u'"', QStringLiteral("\"\""));
        parts << u'"' + quoted + u'"';
    }
    return parts.join(u',');
}

QStringList splitCommaText(QStringView text)
{
    QStringList items;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && blank(text[i]))
        ++i;
    while (i < n) {
        QString item;
        if (text[i] == u'"') {
            // To the closing quote; two quotes stand for one. An unclosed
            // quote runs to the end.
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        item += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && !blank(text[i]) && text[i] != u',')
                ++i;
            item = text.mid(start, i - start).toString();
        }
        items << item;
        while (i < n && blank(text[i]))
            ++i;
        if (i < n && text[i] == u',') {
            do
                ++i;
            while (i < n && blank(text[i]));
        }
    }
    return items;
}

QStringList fieldsOfLine(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    QStringList fields = splitCommaText(QStringView(line).mid(equals + 1, MaxData));
    while (fields.size() < FieldCount)
        fields << QString();
    return fields;
}

QString displayName(const QString &name)
{
    QString shown = name;
    shown.replace(u' ', u'　').replace(u',', u'，').replace(u'"', u'”');
    return shown;
}

} // namespace vesk::luncher
