#pragma once

#include <QString>

#include <optional>

namespace vesk {

// A message number as a mailer or the box window gives it: an optional sign and
// decimal digits, nothing else (no blanks, no hex), within 32 bits. Anything
// else is not a number.
std::optional<int> parseMessageNumber(const QString &text);

} // namespace vesk
