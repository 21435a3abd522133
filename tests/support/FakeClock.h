#pragma once

#include "platform/Clock.h"

namespace vesk::test {

// A clock that only moves when told to.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 6), QTime(8, 0)))
        : m_now(std::move(start))
    { }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &when) { m_now = when; }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};

} // namespace vesk::test
