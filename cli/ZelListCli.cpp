#include "cli/ZelListCli.h"

#include "engine/ListingComposer.h"
#include "engine/PrintRun.h"
#include "platform/Exception.h"
#include "printer/PrinterSelector.h"
#include "printer/TPrinter.h"
#include "printer/UPrnRaw.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <ostream>

namespace zl::cli {

namespace {

class FlagOptions : public ListingOptions {
public:
    explicit FlagOptions(const CliSettings& settings) : s_(settings) {}
    bool Landscape() const override { return s_.page.landscape; }
    bool LinePrinter() const override { return s_.linePrinter; }
    bool NoIbm() const override { return s_.noIbm; }
    bool Compressed() const override { return s_.page.compressed; }
    int BarHeight() const override { return s_.barHeight; }

private:
    const CliSettings& s_;
};

// The files of the command line, all ticked.
class ArgumentList : public FileListView {
public:
    explicit ArgumentList(const std::vector<std::string>& files) : files_(files) {}
    int Count() const override { return static_cast<int>(files_.size()); }
    bool Ticked(int) const override { return true; }
    std::string Text(int index) const override {
        return std::filesystem::absolute(files_[static_cast<std::size_t>(index)]).string();
    }

private:
    const std::vector<std::string>& files_;
};

class ComposerHost : public PrintRunHost {
public:
    ComposerHost(ListingComposer& composer, std::int32_t printerIndex, std::ostream& err)
        : composer_(composer), printerIndex_(printerIndex), err_(err) {}
    void ShowMessage(const std::string& text) override { err_ << text << '\n'; }
    void SetStatus(const std::string&) override {}
    void PrintListing(const std::string& path) override {
        composer_.ZelListProcess(path, printerIndex_);
    }

private:
    ListingComposer& composer_;
    std::int32_t printerIndex_;
    std::ostream& err_;
};

void ListPrinters(TPrinter& printers, std::ostream& out) {
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

// The paper forms and bins of `name` as the printer's device settings read
// them, and its default paper and bin.
void DescribePrinter(TPrinter& printers, const std::string& name, std::ostream& out) {
    const std::vector<std::string> names = printers.EntryNames();
    if (std::find(names.begin(), names.end(), name) == names.end())
        throw UsageError("--describe-printer: no printer named '" + name +
                         "' (see --list-printers)");
    PlainListControl dropDown;
    PrinterSelector selector(printers, dropDown);
    // Selected as stored settings are loaded: nothing of the settings is
    // applied, so the printer's own defaults are what is read.
    selector.BeginLoading();
    selector.SetPrinterName(name);
    out << "Paper forms of " << name << ":\n";
    for (const NamedRef& paper : selector.PaperList())
        out << "  " << paper.name << "  " << Millimetres(paper.ref.width, paper.ref.length)
            << "  code " << paper.ref.code << '\n';
    if (selector.PaperList().empty())
        out << "  (none)\n";
    out << "Bins:\n";
    for (const NamedRef& bin : selector.BinList())
        out << "  " << bin.name << "  code " << bin.ref.code << '\n';
    if (selector.BinList().empty())
        out << "  (none)\n";
    out << "Default paper: " << selector.PrinterSettings().PaperSize() << '\n';
    out << "Default bin: " << selector.PrinterSettings().BinSource() << '\n';
}

// The entry to print on: the named one, the given index, or the default.
std::int32_t ChosenPrinter(const CliSettings& settings, TPrinter& printers) {
    if (settings.printerIndex)
        return *settings.printerIndex;
    if (settings.printer) {
        const std::vector<std::string> names = printers.EntryNames();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == *settings.printer)
                return static_cast<std::int32_t>(i);
        }
        throw UsageError("--printer: no printer named '" + *settings.printer +
                         "' (see --list-printers)");
    }
    return printers.CurrentIndex();
}

// Runs `action`: 0 when it succeeds, 1 after writing its failure as the
// window would show it. Usage errors pass on.
int Reported(std::ostream& err, const std::function<void()>& action) {
    try {
        action();
    } catch (const UsageError&) {
        throw;
    } catch (const std::exception& e) {
        err << ShownMessage(e.what()) << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int RunZelList(const CliSettings& settings, Spooler& spooler, const Clock& clock,
               const LocaleNames& names, std::ostream& out, std::ostream& err) {
    TPrinter printers(spooler);
    if (settings.action == CliSettings::Action::ListPrinters) {
        ListPrinters(printers, out);
        return 0;
    }
    if (settings.action == CliSettings::Action::DescribePrinter)
        return Reported(err, [&] { DescribePrinter(printers, settings.describedPrinter, out); });

    RawPrintJob job(spooler);
    PageGeometry geometry;
    ApplyPageSettings(settings.page, geometry);
    FlagOptions options(settings);
    ListingComposer composer(job, printers, options, geometry, clock, names);
    ArgumentList list(settings.files);
    return Reported(err, [&] {
        ComposerHost host(composer, ChosenPrinter(settings, printers), err);
        RunPrint(list, host);
    });
}

} // namespace zl::cli
