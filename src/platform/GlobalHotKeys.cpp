#include "platform/GlobalHotKeys.h"

namespace vesk {

QString NoGlobalHotKeys::grab(int, int, int)
{
    return QStringLiteral("this desktop has no global hot keys");
}

} // namespace vesk
