// The local date and time, behind an interface so that tests and
// reproducible builds can fix it.
#pragma once

#include <cstdint>

namespace zl {

struct LocalTime {
    int year = 1970;
    int month = 1;     // 1 to 12
    int day = 1;       // 1 to 31
    int dayOfWeek = 4; // 0 is Sunday
    int hour = 0;      // 0 to 23
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() const = 0;
};

// The system's local time.
class SystemClock : public Clock {
public:
    LocalTime Now() const override;
};

// Always the same moment.
class FixedClock : public Clock {
public:
    explicit FixedClock(const LocalTime& time) : time_(time) {}
    LocalTime Now() const override { return time_; }

private:
    LocalTime time_;
};

// The local time of `seconds` since 1970-01-01 00:00 UTC.
LocalTime LocalTimeAt(std::int64_t seconds);

} // namespace zl
