// The printer choice behind the printer drop-down list: which printer is
// current, its paper forms and bins, and the event that tells the owner.
// The GUI shows its items and reports the user's pick; everything else is
// here, so it runs without a display.
#pragma once

#include "printer/ListControl.h"
#include "printer/PrinterList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zl {

// A paper form or bin with its code; forms also with their size in tenths
// of a millimetre.
struct FormCode {
    std::uint16_t code = 0;
    std::int32_t width = 0;
    std::int32_t length = 0;
};

struct NamedRef {
    std::string name;
    FormCode ref;
};

class PrinterSelector {
public:
    static constexpr std::size_t kMaxBins = 26;
    static constexpr std::size_t kMaxPapers = 101;

    // Takes the printer list's snapshot and reads the current printer's
    // capabilities (the default printer becomes current when none is).
    // `dropDown` shows the printers; the selector does not own it.
    PrinterSelector(PrinterList& printer, ListControl& dropDown);

    // Runs after each refill of the drop-down list, the current printer's
    // forms and bins read.
    std::function<void()> onPrinterChange;

    // Fills the drop-down list with the printers, the current one selected,
    // which becomes the printer last selected.
    void ListPrinters();

    std::string PrinterName();
    // Selects the listed printer whose name is closest to `value`; another
    // printer than the current one starts from its own defaults.
    void SetPrinterName(const std::string& value);
    int ItemIndex() const { return dropDown_.ItemIndex(); }

    // The user picked an item of the drop-down list.
    void ListSelectionChange();
    // The printer last selected, again; runs when the owner window is shown.
    void ReselectPrinter();
    // Selects the system's default printer, with its default settings.
    void SelectDefaultPrinter();
    // Lists the printers afresh and keeps the printer last selected while it
    // is listed. When it has gone, the default printer is selected and its
    // name is returned; otherwise (also when the print server could not be
    // asked, which keeps the list as it was) the result is empty.
    std::string RefreshPrinters();
    // Selects the listed printer of exactly that name (case aside); false,
    // changing nothing, when no such printer is listed.
    bool ChoosePrinter(const std::string& name);

    const std::vector<NamedRef>& PaperList() const { return paperList_; }
    const std::vector<NamedRef>& BinList() const { return binList_; }
    const std::vector<PrinterEntry>& PrinterSnapshot() const { return snapshot_; }
    const std::string& LastPrinterName() const { return lastPrinterName_; }
    // The listed form and bin the current printer takes by default; empty
    // when it names none of them or cannot be described.
    std::string DefaultPaperName() const;
    std::string DefaultBinName() const;

private:
    PrinterDevice* CurrentDevice() const;
    // Fills the paper and bin lists from what the current printer offers.
    void ReadCapabilities();
    // Makes the printer at `index` (-1: the default) current, asking the
    // service what it offers and takes by default.
    void SwitchTo(int index);
    void RefillLists();
    std::string CurrentEntryName();
    bool Listed(const std::string& name) const;

    PrinterList& printer_;
    ListControl& dropDown_;
    std::vector<NamedRef> binList_;
    std::vector<NamedRef> paperList_;
    std::string lastPrinterName_;
    std::vector<PrinterEntry> snapshot_;
};

} // namespace zl
