#include "cli/PdfRun.h"

#include "cli/FlagOptions.h"
#include "platform/Exception.h"
#include "platform/Interruption.h"
#include "render/PdfListing.h"

#include <filesystem>
#include <ostream>

namespace zl::cli {

int WritePdfListings(const CliSettings& settings, const render::PaperSize& paper,
                     const Clock& clock, const LocaleNames& names, std::ostream& err) {
    PageGeometry geometry;
    ApplyPageSettings(settings.page, geometry);
    FlagOptions options(settings);
    for (std::size_t i = 0; i < settings.files.size(); ++i) {
        const std::string& given = settings.files[i];
        try {
            // The header shows the absolute path, as on the printer.
            render::WriteListingPdf(PdfOutputName(*settings.output, i),
                                    std::filesystem::absolute(given).string(), options, geometry,
                                    clock, names, paper);
        } catch (const Interrupted& stop) {
            err << "zellist: interrupted: " << given << " was not printed\n";
            return 128 + stop.Signal();
        } catch (const std::exception& e) {
            err << "zellist: " << given << ": " << ShownMessage(e.what()) << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace zl::cli
