// zellist: prints text files as greenbar listings from the command line.
#include "cli/CommandLine.h"
#include "cli/ZelListCli.h"
#include "platform/Interruption.h"
#include "printing/OutputFileService.h"
#include "printing/SystemPrintService.h"

#ifdef ZELLIST_WITH_RENDER
#include "cli/DriverRun.h"
#include "cli/LocalePaper.h"
#include "cli/PdfRun.h"
#endif

#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

// The listing date: SOURCE_DATE_EPOCH when set, so output can be reproduced.
std::unique_ptr<zl::Clock> ListingClock() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (!epoch || !*epoch)
        return std::make_unique<zl::SystemClock>();
    return std::make_unique<zl::FixedClock>(zl::LocalTimeAt(zl::cli::SourceDateEpoch(epoch)));
}

// Prints the files into the output file; says when a failure left the output
// with an incomplete listing at its end.
int PrintToOutput(const zl::cli::CliSettings& settings, const zl::Clock& clock) {
    const std::string& name = *settings.output;
    zl::OutputFileService output(name);
    const int status =
        zl::cli::RunZelList(settings, output, clock, zl::SystemLocaleNames(), std::cout, std::cerr);
    if (status != 0 && output.EndsIncomplete())
        std::cerr << "zellist: " << (name == "-" ? "standard output" : name)
                  << ": ends in an incomplete listing (the failed job could not be taken back)\n";
    return status;
}

// Draws the listings: a PDF of each file (on the paper named, else the
// locale's), or a job on the printer's driver with --driver. A build without
// the renderer refuses both rather than print PCL where they were asked for.
int DrawListings(const zl::cli::CliSettings& settings, const zl::Clock& clock) {
#ifdef ZELLIST_WITH_RENDER
    if (settings.driver)
        return zl::cli::PrintThroughDriver(settings, clock, zl::SystemLocaleNames(), std::cerr);
    zl::render::PaperSize paper;
    if (!zl::render::PaperSize::Named(settings.paper, paper)) // none named
        paper = zl::cli::LocalePaper();
    return zl::cli::WritePdfListings(settings, paper, clock, zl::SystemLocaleNames(), std::cerr);
#else
    (void)settings;
    (void)clock;
    std::cerr << "zellist: PDF output and --driver are not part of this build\n";
    return 2;
#endif
}

// Runs on the system's printers; a print server that does not answer is a
// failure here, not a reason to print into "PCL File".
int PrintToSystem(const zl::cli::CliSettings& settings, const zl::Clock& clock) {
    zl::SystemPrintService& service = zl::ProcessPrintService();
    service.SetFailWhenServerSilent(true);
    return zl::cli::RunZelList(settings, service, clock, zl::SystemLocaleNames(), std::cout,
                               std::cerr, [&service] { return service.FallbackNote(); });
}

} // namespace

int main(int argc, char** argv) {
    using zl::cli::CliSettings;
    try {
        const CliSettings settings =
            zl::cli::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (settings.action == CliSettings::Action::Help) {
#ifdef ZELLIST_WITH_RENDER
            std::cout << zl::cli::Usage(true);
#else
            std::cout << zl::cli::Usage(false);
#endif
            return 0;
        }
        if (settings.action == CliSettings::Action::Version) {
            std::cout << "zellist " ZELLIST_VERSION "\n";
            return 0;
        }
        std::unique_ptr<zl::Clock> clock = ListingClock();
        // SIGINT, SIGTERM and SIGHUP cancel the job being written and end
        // the run with 128 + the signal's number.
        zl::CatchStopSignals();
        if (settings.driver || (settings.output && zl::cli::IsPdfName(*settings.output)))
            return DrawListings(settings, *clock);
        return settings.output ? PrintToOutput(settings, *clock) : PrintToSystem(settings, *clock);
    } catch (const zl::cli::UsageError& e) {
        std::cerr << "zellist: " << e.what() << "\nTry 'zellist --help' for more.\n";
        return 2;
    }
}
