#include "cli/DriverRequests.h"

#include "cli/ListingRun.h"
#include "render/PageModel.h"

namespace zl::cli {

namespace {

// The PWG media size names of the papers render/ draws on.
struct PaperMedia {
    const char* paper;
    const char* media;
};
constexpr PaperMedia kPaperMedia[] = {
    {"Letter", "na_letter_8.5x11in"}, {"Legal", "na_legal_8.5x14in"},
    {"A4", "iso_a4_210x297mm"},       {"Executive", "na_executive_7.25x10.5in"},
    {"A5", "iso_a5_148x210mm"},       {"B5", "jis_b5_182x257mm"},
};

std::string MediaOf(const std::string& paperName) {
    render::PaperSize paper;
    if (!render::PaperSize::Named(paperName, paper))
        return {};
    for (const PaperMedia& known : kPaperMedia) {
        if (paper.name == known.paper)
            return known.media;
    }
    return {};
}

} // namespace

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
    requests.media = MediaOf(settings.paper);
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
