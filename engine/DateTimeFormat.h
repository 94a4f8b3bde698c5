// Dates and times as format strings describe them: d dd ddd dddd for the day,
// m mm mmm mmmm for the month (minutes right after an hour), yy yyyy, h hh,
// n nn for minutes, s ss, am/pm (kept in the case written, and making the
// hour run on the 12-hour clock), text in quotes as it stands; other
// characters stand for themselves. Letters may be of either case.
#pragma once

#include "platform/Clock.h"
#include "platform/LocaleNames.h"

#include <string>

namespace zl {

std::string FormatDateTime(const std::string& format, const LocalTime& time,
                           const LocaleNames& names);

} // namespace zl
