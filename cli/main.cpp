// zellist: prints text files as greenbar listings from the command line.
#include "cli/CommandLine.h"
#include "cli/DrawingProgram.h"
#include "cli/ListingClock.h"
#include "cli/ListingRun.h"
#include "cli/StandardInput.h"
#include "cli/ZelListCli.h"
#include "engine/SyntaxEmphasis.h"
#include "platform/Interruption.h"
#include "platform/StandardDescriptors.h"
#include "platform/SystemText.h"
#include "printing/OutputFileService.h"
#include "printing/PclFileService.h"
#include "printing/SystemPrintService.h"

#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

// Prints the files into the output file; says when a failure left the output
// with an incomplete listing at its end.
int PrintToOutput(const zl::cli::CliSettings& settings, const zl::Clock& clock) {
    const std::string& name = *settings.output;
    zl::OutputFileService output(zl::PathOfUtf8(name));
    const int status =
        zl::cli::RunZelList(settings, output, clock, zl::SystemLocaleNames(), std::cout, std::cerr,
                            {}, [&name](const std::string&) { return zl::cli::IntoOutput(name); });
    if (status != 0 && output.EndsIncomplete())
        std::cerr << "zellist: " << (name == "-" ? "standard output" : name)
                  << ": ends in an incomplete listing (the failed job could not be taken back)\n";
    return status;
}

// Where a listing printed: the printer, and for "PCL File" the file.
std::string PrintedOn(const std::string& printer, const zl::PclFileService& pclFile) {
    if (printer == zl::PclFileService::kPrinterName)
        return "on " + printer + " (" + zl::Utf8OfPath(pclFile.LastOutput()) + ")";
    return "on " + printer;
}

// Runs on the system's printers; a print server that does not answer is a
// failure here, not a reason to print into "PCL File". "PCL File" itself
// needs no print server and asks none.
int PrintToSystem(const zl::cli::CliSettings& settings, const zl::Clock& clock) {
    if (settings.printer && *settings.printer == zl::PclFileService::kPrinterName) {
        zl::PclFileService pclFile;
        return zl::cli::RunZelList(
            settings, pclFile, clock, zl::SystemLocaleNames(), std::cout, std::cerr, {},
            [&pclFile](const std::string& printer) { return PrintedOn(printer, pclFile); });
    }
    zl::SystemPrintService& service = zl::ProcessPrintService();
    service.SetFailWhenServerSilent(true);
    zl::cli::WaitForRoomInFullQueues(service, settings, std::cerr);
    return zl::cli::RunZelList(
        settings, service, clock, zl::SystemLocaleNames(), std::cout, std::cerr,
        [&service] { return service.FallbackNote(); },
        [&service](const std::string& printer) { return PrintedOn(printer, service.PclFile()); });
}

} // namespace

int main(int argc, char** argv) {
    // Before anything is opened: a closed standard descriptor's number is
    // not to be taken by a file or a print server's socket.
    const bool inputClosed = zl::ReserveStandardDescriptors();
    using zl::cli::CliSettings;
    // File names and all in UTF-8, on Windows too.
    const std::vector<std::string> arguments = zl::Utf8Arguments(argc, argv);
    try {
        const CliSettings settings = zl::cli::ParseProgramArguments(arguments);
        if (settings.action == CliSettings::Action::Help) {
#ifdef ZELLIST_CAN_DRAW
            std::cout << zl::cli::Usage(true);
#else
            std::cout << zl::cli::Usage(false);
#endif
            return 0;
        }
        if (settings.action == CliSettings::Action::ListLanguages) {
            for (const std::string& language : zl::KnownLanguages())
                std::cout << language << '\n';
            return 0;
        }
        if (settings.action == CliSettings::Action::Version) {
            std::cout << "zellist " ZELLIST_VERSION "\n";
            return 0;
        }
        zl::cli::RequireStandardInputNotTerminal(settings, zl::cli::StandardInputIsTerminal(),
                                                 inputClosed);
        // Drawn listings are the drawing program's: zellist loads no Qt. A
        // build without it refuses them rather than print PCL instead.
        if (zl::cli::IsDrawn(settings)) {
#ifdef ZELLIST_CAN_DRAW
            return zl::cli::RunDrawingProgram(arguments, std::cerr);
#else
            std::cerr << "zellist: PDF output and --driver are not part of this build\n";
            return 2;
#endif
        }
        std::unique_ptr<zl::Clock> clock = zl::cli::ListingClock();
        // SIGINT, SIGTERM and SIGHUP cancel the job being written and end
        // the run with 128 + the signal's number.
        zl::CatchStopSignals();
        return settings.output ? PrintToOutput(settings, *clock) : PrintToSystem(settings, *clock);
    } catch (const zl::cli::UsageError& e) {
        std::cerr << "zellist: " << e.what() << "\nTry 'zellist --help' for more.\n";
        return 2;
    }
}
