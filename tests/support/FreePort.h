#pragma once

#include <QtGlobal>

namespace vesk::test {

// A TCP port on 127.0.0.1 that nothing listens on right now (high range).
quint16 freePort();

} // namespace vesk::test
