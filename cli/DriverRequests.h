// What a --driver job asks of the printer's driver: the choices that a PCL
// listing writes into its prologue, in the print system's terms.
#pragma once

#include "cli/CommandLine.h"
#include "printing/PrintService.h"

#include <string>

namespace zl::cli {

// The copies and sides of `settings`' listing, the media of the paper
// --paper names, and the bin of `printer` whose PCL paper source is
// --tray's. Raises a PrintFailure, naming `printerName`, when none of the
// printer's bins is that paper source.
JobRequests DriverJobRequests(const CliSettings& settings, const std::string& printerName,
                              const PrinterCapabilities& printer);

} // namespace zl::cli
