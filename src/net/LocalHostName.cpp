#include "net/LocalHostName.h"

#include <unistd.h>

namespace vesk {

QString LocalHostName()
{
    char name[512] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return QString();
    return QString::fromLocal8Bit(name);
}

} // namespace vesk
