// The printer choice behind the printer drop-down list: which printer is
// current, its paper forms and bins, and the events that tell the owner.
// The GUI shows its items and reports the user's pick; everything else is
// here, so it runs without a display.
#pragma once

#include "printer/ListControl.h"
#include "printer/PrinterList.h"
#include "printer/PrinterSettings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zl {

enum class SystemDefault {
    DefaultPrinter = 0,
    DefaultBin = 1,
    DefaultPaperSize = 2,
    DefaultDuplex = 3,
    DefaultPrintQuality = 4
};

// A set of SystemDefault, bit n for the member of ordinal n.
class SystemDefaults {
public:
    SystemDefaults() = default;
    SystemDefaults(std::initializer_list<SystemDefault> members) {
        for (SystemDefault m : members)
            bits_ = static_cast<std::uint8_t>(bits_ | Bit(m));
    }
    bool Has(SystemDefault m) const { return (bits_ & Bit(m)) != 0; }
    bool Empty() const { return bits_ == 0; }
    std::uint8_t Bits() const { return bits_; }
    bool operator==(const SystemDefaults& other) const { return bits_ == other.bits_; }

private:
    static std::uint8_t Bit(SystemDefault m) {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(m));
    }
    std::uint8_t bits_ = 0;
};

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
    static constexpr std::size_t kMaxProfile = 80;

    using Event = std::function<void(void* sender)>;

    // Takes the printer list's snapshot and reads the current printer's
    // capabilities (the default printer becomes current when none is).
    // `dropDown` shows the printers; the selector does not own it.
    PrinterSelector(PrinterList& printer, ListControl& dropDown);

    // Stored values are written between BeginLoading and EndLoading; the
    // end matches them against the current printer.
    void BeginLoading();
    void EndLoading();
    bool Loading() const { return loading_; }

    std::string PrinterName();
    void SetPrinterName(const std::string& value);
    PrinterSettings& Settings() { return settings_; }
    const std::string& Profile() const { return profile_; }
    void SetProfile(const std::string& value);
    SystemDefaults UseWinDefaults() const { return useWinDefaults_; }
    void SetUseWinDefaults(SystemDefaults value);
    ListControl* ComboPaperSize() const { return comboPaper_; }
    void SetComboPaperSize(ListControl* combo);
    ListControl* ComboPaperSource() const { return comboBin_; }
    void SetComboPaperSource(ListControl* combo);
    std::int32_t JobCount() const { return jobCount_; }
    int ItemIndex() const { return dropDown_.ItemIndex(); }

    Event onPrinterChange, onPaperChange, onBinChange, onOrientationChange, onJobCountChange;

    // The user picked an item of the drop-down list.
    void ListSelectionChange();
    // The printer last selected, again; runs when the owner window is shown.
    void ReselectPrinter();
    // Lists the printers afresh and keeps the printer last selected while it
    // is listed. When it has gone, the default printer is selected and its
    // name is returned; otherwise (also when the print server could not be
    // asked, which keeps the list as it was) the result is empty.
    std::string RefreshPrinters();
    // Selects the listed printer of exactly that name (case aside); false,
    // changing nothing, when no such printer is listed.
    bool ChoosePrinter(const std::string& name);
    // The print service reported `count` jobs for the current printer.
    void SpoolerStatus(std::int32_t count);

    const std::vector<NamedRef>& PaperList() const { return paperList_; }
    const std::vector<NamedRef>& BinList() const { return binList_; }
    const std::vector<PrinterEntry>& PrinterSnapshot() const { return snapshot_; }
    const std::string& LastPrinterName() const { return lastPrinterName_; }

    // The current printer's device settings; null when it has none (the
    // service could not describe it, or there is no printer).
    DeviceSettings* Device() const;
    void UpdatePaperCombo(bool refill);
    void UpdateBinCombo(bool refill);
    bool Updating() const { return updating_; }

private:
    PrinterDevice* CurrentDevice() const;
    // Fills the paper and bin lists from what the current printer offers.
    void ReadCapabilities();
    void RefillLists();
    std::string CurrentEntryName();
    bool Listed(const std::string& name) const;
    void SelectDefaultPrinter();
    void Fire(const Event& event, void* sender) {
        if (event)
            event(sender);
    }
    void FillCombo(ListControl* combo, const std::vector<NamedRef>& list, bool refill,
                   const std::string& selected);

    friend class PrinterSettings;

    PrinterList& printer_;
    ListControl& dropDown_;
    PrinterSettings settings_{*this};
    bool updating_ = true;
    bool loading_ = false;
    ListControl* comboPaper_ = nullptr;
    ListControl* comboBin_ = nullptr;
    SystemDefaults useWinDefaults_;
    std::vector<NamedRef> binList_;
    std::vector<NamedRef> paperList_;
    std::string lastPrinterName_;
    std::string profile_;
    std::int32_t jobCount_ = 0;
    std::vector<PrinterEntry> snapshot_;
};

} // namespace zl
