// What zellist does with a parsed command line, on a given spooler, clock
// and locale, writing to the given streams. Returns the exit status.
#pragma once

#include "cli/CommandLine.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "platform/Spooler.h"

#include <iosfwd>

namespace zl::cli {

int RunZelList(const CliSettings& settings, Spooler& spooler, const Clock& clock,
               const LocaleNames& names, std::ostream& out, std::ostream& err);

} // namespace zl::cli
