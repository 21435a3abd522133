#pragma once

#include "settings/IniDocument.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace vesk {

// The settings file: UTF-8 text, one "[Section]" line per section followed by
// one "Name=Value" line per value.
//
// Reading is forgiving so that a file written by hand reads as meant: a UTF-8
// byte order mark, CR LF line ends, blank lines and comment lines (first
// non-blank character ";" or "#") are accepted; blanks (space, tab) around the
// name and around the value are dropped; a line without "=" is ignored, as are
// values before the first section; a name given twice keeps its first place
// and its last value. There are no inline comments: ";" inside a value is
// part of it.
//
// Writing keeps every name and value exact with as little escaping as
// possible. A name or value is written as is unless reading it back would
// change it; only then is it written in double quotes, where \\ stands for
// a backslash, \" for a double quote, \n for LF and \r for CR. That is:
//  - a value holding CR or LF, beginning or ending with a blank, or which is
//    itself a quoted text that reads back as something else (like "abc");
//  - a name holding "=", CR or LF, beginning or ending with a blank, or
//    beginning with "[", ";", "#" or a double quote.
// Reading takes a value (or a name at the start of a line) in double quotes
// as such a quoted text only when it is exactly one well-formed quoted text;
// anything else (a launcher row with quoted fields, a Windows path holding
// backslashes) is read as it stands.
class IniFormat
{
public:
    // `clean` (when given) tells whether every byte was read as meant: false
    // for bytes that are no UTF-8 or NUL, and for lines that are neither
    // blank, comment, section header nor a value inside a section. What can
    // be read is read either way.
    static IniDocument parse(QByteArrayView bytes, bool *clean = nullptr);
    static QByteArray write(const IniDocument &document);

    // A section name that a "[Name]" line can carry: no "]", CR or LF, and no
    // blanks at either end.
    static bool isValidSectionName(const QString &name);

    static QString quote(QStringView text);
    // The text inside `text` when all of it is one well-formed quoted text.
    static std::optional<QString> unquote(QStringView text);
};

} // namespace vesk
