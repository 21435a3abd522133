#pragma once

#include <QList>
#include <QtGlobal>

#include <optional>

namespace vesk {

// What the kernel tells about processes (/proc).
namespace processes {

// When the process started, in clock ticks since boot; nothing when it is gone.
std::optional<quint64> startTicks(qint64 pid);
// The process and every process below it (a program started through a
// script shows its windows under its children's ids).
QList<qint64> withDescendants(qint64 pid);

} // namespace processes
} // namespace vesk
