#include "settings/IniFormat.h"

#include "platform/Blanks.h"

#include <QStringDecoder>

namespace vesk {
namespace {

bool isCommentStart(QChar c)
{
    return c == u';' || c == u'#';
}

// A quoted text at the start of `text` (which begins with a double quote);
// `end` receives the position after the closing quote.
std::optional<QString> readQuoted(QStringView text, qsizetype *end)
{
    QString out;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            *end = i + 1;
            return out;
        }
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i].unicode()) {
        case u'\\':
            out += u'\\';
            break;
        case u'"':
            out += u'"';
            break;
        case u'n':
            out += u'\n';
            break;
        case u'r':
            out += u'\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

QString readValue(QStringView raw)
{
    const QStringView text = Blanks::trimmed(raw);
    if (auto unquoted = IniFormat::unquote(text))
        return *unquoted;
    return text.toString();
}

// "[Name]", optionally followed by blanks or a comment.
std::optional<QString> sectionHeader(QStringView line)
{
    if (!line.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = line.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    const QStringView rest = Blanks::trimmed(line.mid(close + 1));
    if (!rest.isEmpty() && !isCommentStart(rest.front()))
        return std::nullopt;
    return Blanks::trimmed(line.mid(1, close - 1)).toString();
}

bool parseEntry(QStringView line, IniEntry *entry)
{
    if (line.startsWith(u'"')) {
        qsizetype end = 0;
        if (auto name = readQuoted(line, &end)) {
            const QStringView rest = Blanks::trimmed(line.mid(end));
            if (rest.startsWith(u'=')) {
                entry->name = *name;
                entry->value = readValue(rest.mid(1));
                return true;
            }
        }
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return false;
    entry->name = Blanks::trimmed(line.left(equals)).toString();
    entry->value = readValue(line.mid(equals + 1));
    return true;
}

bool nameNeedsQuotes(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QChar first = name.front();
    return name.contains(u'=') || name.contains(u'\n') || name.contains(u'\r')
        || Blanks::trimmed(name).size() != name.size() || first == u'[' || first == u'"'
        || isCommentStart(first);
}

bool valueNeedsQuotes(const QString &value)
{
    if (value.isEmpty())
        return false;
    return value.contains(u'\n') || value.contains(u'\r') || Blanks::trimmed(value).size() != value.size()
        || IniFormat::unquote(value).has_value();
}

} // namespace

IniDocument IniFormat::parse(QByteArrayView bytes, bool *clean)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    bool readAsMeant = !decoder.hasError() && !bytes.contains('\0');

    IniDocument document;
    IniSection *current = nullptr;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = Blanks::trimmed(line);
        if (line.isEmpty() || isCommentStart(line.front()))
            continue;
        if (auto name = sectionHeader(line)) {
            current = &document.ensureSection(*name);
            continue;
        }
        IniEntry entry;
        if (current && parseEntry(line, &entry))
            current->set(entry.name, entry.value);
        else
            readAsMeant = false;
    }
    if (clean)
        *clean = readAsMeant;
    return document;
}

QByteArray IniFormat::write(const IniDocument &document)
{
    QString out;
    bool first = true;
    for (const IniSection &section : document.sections()) {
        if (!first)
            out += u'\n';
        first = false;
        out += u'[';
        out += section.name();
        out += u"]\n";
        for (const IniEntry &entry : section.entries()) {
            out += nameNeedsQuotes(entry.name) ? quote(entry.name) : entry.name;
            out += u'=';
            out += valueNeedsQuotes(entry.value) ? quote(entry.value) : entry.value;
            out += u'\n';
        }
    }
    return out.toUtf8();
}

bool IniFormat::isValidSectionName(const QString &name)
{
    return !name.contains(u']') && !name.contains(u'\n') && !name.contains(u'\r')
        && Blanks::trimmed(name).size() == name.size();
}

QString IniFormat::quote(QStringView text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += u"\\\\";
            break;
        case u'"':
            out += u"\\\"";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        default:
            out += c;
        }
    }
    out += u'"';
    return out;
}

std::optional<QString> IniFormat::unquote(QStringView text)
{
    if (text.size() < 2 || text.front() != u'"')
        return std::nullopt;
    qsizetype end = 0;
    auto inner = readQuoted(text, &end);
    if (!inner || end != text.size())
        return std::nullopt;
    return inner;
}

} // namespace vesk
