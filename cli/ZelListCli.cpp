#include "cli/ZelListCli.h"

#include "cli/ListingRun.h"
#include "cli/LocalePaper.h"
#include "cli/StandardInput.h"
#include "engine/ListingComposer.h"
#include "platform/Exception.h"
#include "platform/Interruption.h"
#include "printer/ListingJob.h"
#include "printer/PagePaper.h"
#include "printer/PrinterList.h"
#include "printer/PrinterSelector.h"
#include "printer/RawPrintJob.h"
#include "printing/OutputFileService.h"
#include "printing/PclFileService.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <ostream>

namespace zl::cli {

namespace {

// Raises when the service cannot list its printers, with the cause it gives
// (such as a print server that does not answer), rather than going on with
// an empty list.
void RequirePrinterList(PrintService& service) {
    try {
        service.Printers();
    } catch (const PrintFailure& failure) {
        throw Exception(std::string("cannot list the printers: ") + failure.what());
    }
}

void ListPrinters(PrinterList& printers, std::ostream& out) {
    std::int32_t current = -1;
    try {
        current = printers.CurrentIndex();
    } catch (const Exception&) {
        // no default printer: none is marked
    }
    const std::vector<std::string> names = printers.EntryNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        out << names[i] << (static_cast<std::int32_t>(i) == current ? "  (default)" : "") << '\n';
}

// "215.9 x 279.4 mm" from tenths of a millimetre.
std::string Millimetres(std::int32_t width, std::int32_t length) {
    char text[64];
    std::snprintf(text, sizeof text, "%d.%d x %d.%d mm", width / 10, std::abs(width % 10),
                  length / 10, std::abs(length % 10));
    return text;
}

// The PCL paper source of the bin with `code` among `printer`'s, 0 when
// none is known.
std::int32_t PclSourceOfBin(const PrinterDevice* printer, std::uint16_t code) {
    if (printer) {
        for (const PaperBin& bin : printer->capabilities.bins) {
            if (bin.code == code)
                return bin.pclSource;
        }
    }
    return 0;
}

// The paper forms and bins of `name` as the printer selector reads
// them (a bin with the --tray number that selects it), and its default paper
// and bin.
void DescribePrinter(PrinterList& printers, const std::string& name, std::ostream& out) {
    const std::vector<std::string> names = printers.EntryNames();
    if (std::find(names.begin(), names.end(), name) == names.end())
        throw UsageError("--describe-printer: no printer named '" + name +
                         "' (see --list-printers)");
    PlainListControl dropDown;
    PrinterSelector selector(printers, dropDown);
    selector.SetPrinterName(name);
    out << "Paper forms of " << name << ":\n";
    for (const NamedRef& paper : selector.PaperList())
        out << "  " << paper.name << "  " << Millimetres(paper.ref.width, paper.ref.length)
            << "  code " << paper.ref.code << '\n';
    if (selector.PaperList().empty())
        out << "  (none)\n";
    out << "Bins:\n";
    for (const NamedRef& bin : selector.BinList()) {
        out << "  " << bin.name << "  code " << bin.ref.code;
        if (const std::int32_t tray = PclSourceOfBin(printers.Device(), bin.ref.code))
            out << "  --tray " << tray;
        out << '\n';
    }
    if (selector.BinList().empty())
        out << "  (none)\n";
    out << "Default paper: " << selector.DefaultPaperName() << '\n';
    out << "Default bin: " << selector.DefaultBinName() << '\n';
}

// The printer to print on: the named one, the one at the given index, or
// the default. A name not listed because the print server could not be
// asked is a failure with that cause, not a mistyped name.
std::string ChosenPrinter(const CliSettings& settings, PrinterList& printers,
                          const std::function<std::string()>& fallbackNote) {
    const std::vector<std::string> names = printers.EntryNames();
    if (settings.printerIndex) {
        const std::int32_t last = static_cast<std::int32_t>(names.size()) - 1;
        if (*settings.printerIndex > last)
            throw UsageError("--printer-index: '" + std::to_string(*settings.printerIndex) +
                             "' is not a number from 0 to " + std::to_string(last) +
                             " (see --list-printers)");
        return names[static_cast<std::size_t>(*settings.printerIndex)];
    }
    if (settings.printer) {
        if (std::find(names.begin(), names.end(), *settings.printer) != names.end())
            return *settings.printer;
        const std::string missing = "--printer: no printer named '" + *settings.printer + "'";
        if (const std::string note = fallbackNote ? fallbackNote() : std::string(); !note.empty())
            throw Exception(missing + ": " + note);
        throw UsageError(missing + " (see --list-printers)");
    }
    return names[static_cast<std::size_t>(printers.CurrentIndex())];
}

// Says once that the listings go to "PCL File" because no print server could
// be asked, when they go there as the default printer.
void NoteFallback(const CliSettings& settings, const std::string& printerName,
                  const std::function<std::string()>& fallbackNote, std::ostream& err) {
    if (settings.printer || settings.printerIndex || !fallbackNote ||
        printerName != PclFileService::kPrinterName)
        return;
    const std::string note = fallbackNote();
    if (!note.empty())
        err << "zellist: " << note << "; printing to " << PclFileService::kPrinterName << '\n';
}

// The paper a listing on `printer` is laid out for: the printer's default
// paper, where the print system tells it; for a file, whose printer is not
// known, the paper of the user's locale.
PaperRequest PagePaperOf(PrintService& service, const std::string& printer) {
    if (printer == OutputFileService::kPrinterName || printer == PclFileService::kPrinterName)
        return LocalePagePaper();
    try {
        return DefaultPaperOf(service.Capabilities(printer));
    } catch (const std::exception&) {
        return PaperRequest::PrinterDefault; // the job will say what is wrong with the printer
    }
}

// Prints each file as one raw job on `printer`.
int PrintFiles(const CliSettings& settings, const std::string& printer, PrintService& service,
               const Clock& clock, const LocaleNames& names, const DestinationWords& destination,
               std::ostream& err) {
    RawPrintJob job(service);
    const PaperRequest pagePaper = PagePaperOf(service, printer);
    return RunListings(
        settings,
        [&](const ListingOrder& order, std::size_t) {
            ListingOptions options = order.options;
            options.pagePaper = pagePaper;
            ListingComposer composer(options, clock, names, OpenInput);
            ListingJob(job, composer).PrintListing(order.path, printer);
            const std::string words = destination ? destination(printer) : "on " + printer;
            // PCL File's words name the listing's own file.
            const std::string place =
                printer == PclFileService::kPrinterName ? "on " + printer : words;
            return Listed{composer.PagesComposed(), words, place, composer.Counts()};
        },
        err);
}

} // namespace

int RunZelList(const CliSettings& settings, PrintService& service, const Clock& clock,
               const LocaleNames& names, std::ostream& out, std::ostream& err,
               const std::function<std::string()>& fallbackNote,
               const DestinationWords& destination) {
    PrinterList printers(service);
    std::string printer;
    try {
        RequirePrinterList(service);
        if (settings.action == CliSettings::Action::ListPrinters) {
            ListPrinters(printers, out);
            return 0;
        }
        if (settings.action == CliSettings::Action::DescribePrinter) {
            DescribePrinter(printers, settings.describedPrinter, out);
            return 0;
        }
        printer = ChosenPrinter(settings, printers, fallbackNote);
        NoteFallback(settings, printer, fallbackNote, err);
    } catch (const UsageError&) {
        throw;
    } catch (const std::exception& e) {
        if (const int signal = StopSignal()) { // what failed was cut short by the signal
            err << "zellist: interrupted\n";
            return 128 + signal;
        }
        err << "zellist: " << ShownMessage(e.what()) << '\n';
        return 1;
    }
    return PrintFiles(settings, printer, service, clock, names, destination, err);
}

} // namespace zl::cli
