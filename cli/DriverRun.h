// `zellist --driver`: each input is drawn as the printer would print its PCL
// and printed through the printer's own driver, for printers that do not
// speak PCL: on Linux as a PDF job that the CUPS queue's filters convert, on
// Windows through Qt's QPrinter.
#pragma once

#include "cli/CommandLine.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"

#include <iosfwd>

namespace zl::cli {

// Prints each file of `settings` as one job named "ZelPrint Job" on
// settings.printer, else the default printer, on the paper settings.paper
// names, else the printer's default paper. Messages go to `err` as
// RunZelList gives them; a printer that cannot be printed on is named. 0
// when all printed, 1 after the first failure, 128 + the signal's number
// when a stop signal ended the run.
int PrintThroughDriver(const CliSettings& settings, const Clock& clock, const LocaleNames& names,
                       std::ostream& err);

} // namespace zl::cli
