#pragma once

#include <QChar>
#include <QStringView>

#include <optional>

namespace vesk {

// A decimal integer text: an optional sign and digits, within the int range.
// Nothing else (no blanks, no hexadecimal) counts as a number.
std::optional<int> parseDecimal(QStringView text);

// 0-15 for a hexadecimal digit of either case, else -1.
int hexDigit(QChar c);

} // namespace vesk
