#pragma once

#include <QString>

namespace vesk::test {

// The source tree (for test data and helper scripts).
QString sourceDir();
// The build tree (for the built programs).
QString binaryDir();
// Debian's python, which has the mail libraries the tests use.
QString systemPython();

} // namespace vesk::test
