// zellist's run over its input files, which every way of listing shares
// (raw PCL jobs on a printer or into -o, PDF files, --driver jobs): the page
// set-up made once from the flags, and what the run says on standard error.
#pragma once

#include "cli/CommandLine.h"
#include "printer/ListingRun.h"
#include "printing/PrintService.h"

#include <iosfwd>
#include <string>

namespace zl::cli {

// The destination of a listing written into the file `output`: "into
// out.pcl"; "-" is "into standard output".
std::string IntoOutput(const std::string& output);

// Has the jobs of `service` wait up to settings.queueWaitSeconds for room
// when a print server's queue is full, saying so on `err` once a job waits.
void WaitForRoomInFullQueues(PrintService& service, const CliSettings& settings, std::ostream& err);

// Lists each file of `settings` in order with `listOne` (the orders' paths
// absolute, as the page header shows them; standard input's title set),
// and stops at the first failure. After each listing it says, unless
// settings.quiet, "zellist: NAME: 12 pages " and the destination on `err`.
// A failure is told with the file's name: "zellist: NAME: " and the
// message; a failure of the printer rather than of the file
// (PrintFailure::OfThePrinter) with its message alone; a stop signal (also
// between two files) as "zellist: interrupted: NAME was not printed". NAME
// is the file as given; for standard input its title, else "(standard
// input)". When a run of several files stops early, it then says what
// became of them: "zellist: 2 of 5 files printed on laser; not printed:
// c.txt and 2 more". Returns 0 when every file was listed, 1 after a
// failure, 128 + the signal's number after a stop signal.
int RunListings(const CliSettings& settings, const ListingAction& listOne, std::ostream& err);

} // namespace zl::cli
