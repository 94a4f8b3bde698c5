#include "cli/ListingClock.h"

#include "cli/CommandLine.h"

#include <cstdlib>

namespace zl::cli {

std::unique_ptr<Clock> ListingClock() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (!epoch || !*epoch)
        return std::make_unique<SystemClock>();
    return std::make_unique<FixedClock>(LocalTimeAt(SourceDateEpoch(epoch)));
}

} // namespace zl::cli
