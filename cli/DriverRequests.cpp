#include "cli/DriverRequests.h"

#include "cli/ListingRun.h"
#include "platform/Papers.h"

namespace zl::cli {

JobRequests DriverJobRequests(const CliSettings& settings, const std::string& printerName,
                              const PrinterCapabilities& printer) {
    const PrinterRequests& asked = settings.listing.requests;
    JobRequests requests;
    requests.copies = asked.copies;
    switch (asked.sides) {
    case Sides::OneSided:
        requests.sides = DuplexMode::Simplex;
        break;
    case Sides::LongEdge:
        requests.sides = DuplexMode::LongEdge;
        break;
    case Sides::ShortEdge:
        requests.sides = DuplexMode::ShortEdge;
        break;
    case Sides::PrinterDefault:
        break;
    }
    if (const Paper* paper = PaperNamed(settings.paper))
        requests.media = paper->pwgName;
    if (asked.paperSource > 0) {
        for (const PaperBin& bin : printer.bins) {
            if (bin.pclSource == asked.paperSource) {
                requests.bin = bin.code;
                break;
            }
        }
        if (requests.bin == 0)
            throw PrintFailure(PrintStep::DriverJob,
                               "it has no paper source that --tray " +
                                   std::to_string(asked.paperSource) +
                                   " selects (see --describe-printer)",
                               printerName);
    }
    return requests;
}

} // namespace zl::cli
