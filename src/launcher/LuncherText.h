#pragma once

#include <QString>
#include <QStringList>

namespace vesk {

// The stored form of a launcher entry (section Luncher): seven fields as
// comma text. A field holding a blank, a control character, a double quote
// or a comma is quoted, its quotes doubled; reading splits at commas and at
// runs of blanks outside quotes.
namespace luncher {

constexpr int FieldCount = 7;
// The most a stored value may hold, and the first macro length refused.
constexpr int MaxData = 200;
constexpr int MacroRefused = 128;

QString commaText(const QStringList &fields);
QStringList splitCommaText(QStringView text);
// The data of a section line "00=..." (after the first "="), at most
// MaxData characters, split into fields; missing fields are empty.
QStringList fieldsOfLine(const QString &line);
// A display name as the menu can show it: half-width blanks, commas and
// double quotes become their full-width forms.
QString displayName(const QString &name);

} // namespace luncher
} // namespace vesk
