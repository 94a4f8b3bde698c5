// The one run over the listings to make that the window, zellist and
// zellist-draw (PDF, --driver) share: each listing in order by the front
// end's own action (a raw job, a PDF, a driver job), an observer told as
// each starts and is done, and the first failure, a cancel or a stop signal
// ends the run, also between two listings.
#pragma once

#include "engine/CancelSignal.h"
#include "engine/ListingCounts.h"
#include "engine/ListingOptions.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace zl {

constexpr const char* kNoFilesMessage = "No files to print!?!";

// One listing to make: its input and its page set-up, the header's title
// among them.
struct ListingOrder {
    std::string path; // "-": standard input
    ListingOptions options;
};

// What one listing made and where it went.
struct Listed {
    std::int32_t pages = 0;
    std::string destination; // "on laser", "into out.pcl"
    std::string place;       // the same for all the run's listings, where there is one
    ListingCounts counts;    // what did not print exactly
};

// Makes listing number `index` (from 0), or raises.
using ListingAction = std::function<Listed(const ListingOrder& order, std::size_t index)>;

// What the run tells as it goes, in the run's thread.
class ListingRunObserver {
public:
    virtual ~ListingRunObserver() = default;
    virtual void Starting(std::size_t /*index*/, const ListingOrder& /*order*/) {}
    virtual void Done(std::size_t /*index*/, const Listed& /*listed*/) {}
};

// How a run ended.
struct ListingRunEnd {
    enum class How { Done, Failed, Cancelled, Interrupted };
    How how = How::Done;
    std::size_t listed = 0;     // made whole
    std::size_t stoppedAt = 0;  // the listing the run stopped at, unless Done
    std::string place;          // where the listings went, where there is one place
    int signal = 0;             // Interrupted: the stop signal
    std::exception_ptr failure; // Failed: what was raised
};

// What a run of `count` listings that stopped at listing `stoppedAt`
// (named `stoppedName`) made, where there is one `place` ("on laser"): "2
// of 5 files printed on laser; not printed: c.txt and 2 more".
std::string StoppedRunWords(std::size_t listed, std::size_t count, std::size_t stoppedAt,
                            const std::string& place, const std::string& stoppedName);

// Makes each of `orders` with `make`, telling `observer`. A failure ends the
// run; so does `cancel` (may be null) once raised, and what fails after it
// counts as cancelled; so does a stop signal, also between two listings.
ListingRunEnd RunListings(const std::vector<ListingOrder>& orders, const ListingAction& make,
                          ListingRunObserver& observer, const CancelSignal* cancel = nullptr);

} // namespace zl
