// The clock a listing's date comes from: SOURCE_DATE_EPOCH when it is set,
// so that output can be reproduced, else the system's.
#pragma once

#include "platform/Clock.h"

#include <memory>

namespace zl::cli {

// Raises UsageError when SOURCE_DATE_EPOCH holds no usable date.
std::unique_ptr<Clock> ListingClock();

} // namespace zl::cli
