#pragma once

#include "season/core/clock.h"

// A clock that says whatever the test sets.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2013, 12, 6), QTime(20, 0)))
        : m_now(std::move(now))
    {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }
    void advanceDays(int days) { m_now = m_now.addDays(days); }

private:
    QDateTime m_now;
};
