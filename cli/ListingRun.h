// The run over zellist's input files that every way of listing shares: raw
// PCL jobs (on a printer or into -o), PDF files and --driver jobs. The page
// set-up is made once from the flags; each file is listed by the way's own
// action, and the first failure ends the run.
#pragma once

#include "cli/CommandLine.h"
#include "engine/ListingCounts.h"
#include "engine/ListingOptions.h"
#include "platform/Exception.h"
#include "printing/PrintService.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

namespace zl::cli {

// One input file as its action receives it, with the run's page set-up.
struct Listing {
    std::string path;       // absolute (the page header shows it); "-": standard input
    std::size_t index;      // the file's place on the command line, from 0
    ListingOptions options; // the run's, with standard input's title
};

// What one listing made and where it went.
struct Listed {
    std::int32_t pages = 0;
    std::string destination; // "on laser", "into out.pcl"
    std::string place;       // the same for all the run's listings, where there is one
    ListingCounts counts;    // what did not print exactly
};

// The destination of a listing written into the file `output`: "into
// out.pcl"; "-" is "into standard output".
std::string IntoOutput(const std::string& output);

// Lists one file (prints it, or writes it), or raises.
using ListingAction = std::function<Listed(const Listing& listing)>;

// Has the jobs of `service` wait up to settings.queueWaitSeconds for room
// when a print server's queue is full, saying so on `err` once a job waits.
void WaitForRoomInFullQueues(PrintService& service, const CliSettings& settings, std::ostream& err);

// Runs `listOne` on each file of `settings` in order and stops at the first
// failure. After each listing it says, unless settings.quiet, "zellist:
// NAME: 12 pages " and the destination on `err`. A failure is told with the
// file's name: "zellist: NAME: " and the message, a failure of the printer rather than of the file
// (PrintFailure::OfThePrinter) its message alone, or "zellist: interrupted: NAME was not printed"
// when a stop signal ended the run (also between two files). NAME is the file as given; for
// standard input its title, else "(standard input)". When a run of
// several files stops early, it then says what became of them: "zellist: 2
// of 5 files printed on laser; not printed: c.txt and 2 more". Returns 0
// when every file was listed, 1 after a failure, 128 + the signal's number
// after a stop signal.
int RunListings(const CliSettings& settings, const ListingAction& listOne, std::ostream& err);

} // namespace zl::cli
