// What zellist does with a parsed command line, on a given print service, clock
// and locale, writing to the given streams. Returns the exit status.
#pragma once

#include "cli/CommandLine.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "printing/PrintService.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace zl::cli {

// Where a listing printed on `printer` went, in the words after its page
// count: "on laser", "into out.pcl".
using DestinationWords = std::function<std::string(const std::string& printer)>;

// Messages go to `err` as "zellist: " and the message, with the name of the
// file they are about as given on the command line. `fallbackNote` tells why
// the service fell back to "PCL File" (empty: it did not); zellist says so
// when it prints there as the default printer. `destination` gives the words
// of the line after each listing; without it, "on " and the printer's name.
int RunZelList(const CliSettings& settings, PrintService& service, const Clock& clock,
               const LocaleNames& names, std::ostream& out, std::ostream& err,
               const std::function<std::string()>& fallbackNote = {},
               const DestinationWords& destination = {});

} // namespace zl::cli
