#pragma once

#include "platform/DialUpEntries.h"

namespace vesk {

// Until the dial-up layer exists: no dial-up connections, nothing listed.
class NoDialUpEntries final : public DialUpEntries
{
public:
    bool available() const override { return false; }
    QStringList names() const override { return {}; }
};

} // namespace vesk
