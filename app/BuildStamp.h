// The build stamp the window shows: version and the time the executable
// was last built.
#pragma once

#include "platform/Clock.h"
#include "platform/LocaleNames.h"

#include <string>

namespace zl {

// "Build 0.9.2.9: Monday, March 3, 2003 at 4:05 pm".
std::string BuildStampText(const std::string& version, const LocalTime& modified,
                           const LocaleNames& names);

// The local time `path` was last modified; raises an Exception when the file
// cannot be found.
LocalTime FileModificationTime(const std::string& path);

} // namespace zl
