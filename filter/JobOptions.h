// The options of a print job as the filter zellist-cups gets them (CUPS's
// options string, argv[5]) turned into a listing's options: the listing's own
// zellist-* options, and the standard ones that mean something to a listing.
#pragma once

#include "engine/ListingOptions.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zl::filter {

// An option the listing cannot take; the message names the option and its
// value. The job then prints nothing.
class JobOptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the queue's PPD tells about the printer.
struct QueueDescription {
    // The PPD's default choices of the listing's own options
    // ({"zellist-lpi", "8"}), which the job's options override.
    std::vector<std::pair<std::string, std::string>> listingDefaults;
    // The paper the printer holds when the job asks for none (the PPD's
    // DefaultPageSize): the page is laid out for it, and not asked for.
    PaperRequest defaultPaper = PaperRequest::PrinterDefault;
    // Each InputSlot choice and the PCL paper source (ESC & l # H) that
    // selects it.
    std::vector<std::pair<std::string, int>> trays;
};

// The listing's options for a job with `jobOptions` (CUPS's options text,
// parsed by libcups) and `copies` (argv[4], 1 or more), on `queue`, its
// header titled `title`. Copies above one are written into the listing for
// the printer to make; paper, sides and tray are asked for only when the
// job names them, else the printer's own are used. Options of other names
// are CUPS's and are ignored. Raises JobOptionError for an unknown zellist-*
// option, and for a value a listing cannot print as asked.
ListingOptions JobListingOptions(const std::string& jobOptions, int copies,
                                 const QueueDescription& queue, const std::string& title);

// The time the listing's header dates it: when the job was created, as CUPS
// tells in the job's time-at-creation, so that a job held and printed later
// shows when it was sent; `now` when the options do not tell.
std::int64_t JobTime(const std::string& jobOptions, std::int64_t now);

} // namespace zl::filter
