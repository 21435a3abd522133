#pragma once

#include <QDateTime>

namespace vesk {

// Source of the current local time; injected so that tests never wait.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override;
    static SystemClock &instance();
};

} // namespace vesk
