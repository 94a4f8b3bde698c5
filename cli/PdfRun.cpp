#include "cli/PdfRun.h"

#include "cli/ListingRun.h"
#include "cli/PdfFile.h"
#include "cli/StandardInput.h"

namespace zl::cli {

int WritePdfListings(const CliSettings& settings, const render::PaperSize& paper,
                     const Clock& clock, const LocaleNames& names, std::ostream& err) {
    return RunListings(
        settings,
        [&](const ListingOrder& listing, std::size_t index) {
            const std::string pdf = PdfOutputName(*settings.output, index);
            Listed listed;
            listed.destination = IntoOutput(pdf);
            listed.pages = WritePdfFile(pdf, {listing.path, listing.options, &clock, &names, paper,
                                              OpenInput, &listed.counts});
            return listed;
        },
        err);
}

} // namespace zl::cli
