// zellist-draw: the part of zellist that draws listings with Qt, a PDF of
// each file or a job through the printer's driver. zellist runs it in its
// own place for those, with its own arguments.
#include "cli/CommandLine.h"
#include "cli/DriverRun.h"
#include "cli/ListingClock.h"
#include "cli/LocalePaper.h"
#include "cli/PdfRun.h"
#include "cli/PrivateRuntimeFolder.h"
#include "platform/Interruption.h"
#include "platform/StandardDescriptors.h"
#include "platform/SystemText.h"

#include <iostream>
#include <memory>

int main(int argc, char** argv) {
    zl::ReserveStandardDescriptors(); // zellist has said so of a closed standard input
    using zl::cli::CliSettings;
    // File names and all in UTF-8, on Windows too.
    const std::vector<std::string> arguments = zl::Utf8Arguments(argc, argv);
    try {
        const CliSettings settings = zl::cli::ParseProgramArguments(arguments);
        if (settings.action != CliSettings::Action::Print || !zl::cli::IsDrawn(settings)) {
            std::cerr << "zellist-draw: zellist runs this for PDF output and --driver only\n";
            return 2;
        }
        const zl::cli::PrivateRuntimeFolder runtimeFolder; // before Qt starts
        std::unique_ptr<zl::Clock> clock = zl::cli::ListingClock();
        // SIGINT, SIGTERM and SIGHUP cancel the listing being drawn and end
        // the run with 128 + the signal's number.
        zl::CatchStopSignals();
        if (settings.driver)
            return zl::cli::PrintThroughDriver(settings, *clock, zl::SystemLocaleNames(),
                                               std::cerr);
        zl::render::PaperSize paper;
        if (!zl::render::PaperSize::Named(settings.paper, paper)) // none named
            paper = zl::render::PaperSize::Of(*zl::RequestedPaper(zl::cli::LocalePaper()));
        return zl::cli::WritePdfListings(settings, paper, *clock, zl::SystemLocaleNames(),
                                         std::cerr);
    } catch (const zl::cli::UsageError& e) {
        std::cerr << "zellist: " << e.what() << "\nTry 'zellist --help' for more.\n";
        return 2;
    }
}
