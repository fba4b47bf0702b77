#pragma once

#include <QDateTime>

// The one source of "now" for every rule that depends on the date: start-up
// offers, month colours, stamps. Tests substitute a clock they can set.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
