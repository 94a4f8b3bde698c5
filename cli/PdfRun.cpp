#include "cli/PdfRun.h"

#include "cli/ListingRun.h"
#include "cli/PdfFile.h"

namespace zl::cli {

int WritePdfListings(const CliSettings& settings, const render::PaperSize& paper,
                     const Clock& clock, const LocaleNames& names, std::ostream& err) {
    return RunListings(
        settings,
        [&](const Listing& listing) {
            WritePdfFile(PdfOutputName(*settings.output, listing.index),
                         {listing.path, listing.options, &clock, &names, paper});
        },
        err);
}

} // namespace zl::cli
