#include "platform/Clock.h"

#include <ctime>

namespace zl {

LocalTime LocalTimeAt(std::int64_t seconds) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    LocalTime local;
    local.year = tm.tm_year + 1900;
    local.month = tm.tm_mon + 1;
    local.day = tm.tm_mday;
    local.dayOfWeek = tm.tm_wday;
    local.hour = tm.tm_hour;
    local.minute = tm.tm_min;
    local.second = tm.tm_sec;
    return local;
}

LocalTime SystemClock::Now() const {
    return LocalTimeAt(static_cast<std::int64_t>(std::time(nullptr)));
}

} // namespace zl
