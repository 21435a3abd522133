#include "support/TestPaths.h"

#include <QtGlobal>

namespace vesk::test {

QString sourceDir()
{
    return qEnvironmentVariable("VESK_SOURCE_DIR", QStringLiteral(VESK_TEST_SOURCE_DIR));
}

QString binaryDir()
{
    return qEnvironmentVariable("VESK_BINARY_DIR", QStringLiteral(VESK_TEST_BINARY_DIR));
}

QString systemPython()
{
    return QStringLiteral("/usr/bin/python3");
}

} // namespace vesk::test
