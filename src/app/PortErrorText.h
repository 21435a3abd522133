#pragma once

#include <QString>

namespace vesk {

// The box for a local server port that cannot be opened: the port, the
// socket's own error text, what to do, and who holds the port when that is
// known (empty: not known).
QString portErrorText(quint16 port, const QString &errorText, const QString &holder = {});

} // namespace vesk
