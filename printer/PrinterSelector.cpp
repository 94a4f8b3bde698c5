#include "printer/PrinterSelector.h"

#include "printer/FindClosestName.h"
#include "printer/TextCompare.h"

namespace zl {

PrinterSelector::PrinterSelector(PrinterList& printer, ListControl& dropDown)
    : printer_(printer), dropDown_(dropDown) {
    snapshot_ = printer_.Entries();
    ReadCapabilities();
}

void PrinterSelector::BeginLoading() {
    loading_ = true;
}

void PrinterSelector::EndLoading() {
    loading_ = false;
    const std::string bin = settings_.BinName();
    const std::string paper = settings_.PaperName();
    updating_ = false;
    RefillLists();
    settings_.SetPaperSize(paper);
    settings_.SetBinSource(bin);
}

std::string PrinterSelector::CurrentEntryName() {
    const std::int32_t index = printer_.CurrentIndex();
    return printer_.Entries().at(static_cast<std::size_t>(index)).name;
}

std::string PrinterSelector::PrinterName() {
    return CurrentEntryName();
}

void PrinterSelector::SetPrinterName(const std::string& value) {
    const int index = useWinDefaults_.Has(SystemDefault::DefaultPrinter)
                          ? -1
                          : FindClosestName(value, printer_.EntryNames());
    if (index == printer_.CurrentIndex() && useWinDefaults_.Empty()) {
        ReadCapabilities();
    } else {
        // The chosen printer starts from its own defaults: asked once, here.
        printer_.SetCurrentIndex(index);
        printer_.ForgetDevice();
        printer_.Device();
        ReadCapabilities();
        settings_.SetPaperSize(settings_.PaperName());
        settings_.SetBinSource(settings_.BinName());
        RefillLists();
    }
    lastPrinterName_ = CurrentEntryName();
    if (!loading_)
        settings_.ApplyToDevice();
}

void PrinterSelector::SetProfile(const std::string& value) {
    profile_ = value.substr(0, kMaxProfile);
}

void PrinterSelector::SetUseWinDefaults(SystemDefaults value) {
    useWinDefaults_ = value;
    ReselectPrinter();
}

void PrinterSelector::ListSelectionChange() {
    const std::string picked = dropDown_.Text();
    if (picked != CurrentEntryName())
        SetPrinterName(picked);
}

void PrinterSelector::ReselectPrinter() {
    SetPrinterName(lastPrinterName_);
    settings_.ApplyToDevice();
}

bool PrinterSelector::Listed(const std::string& name) const {
    for (const PrinterEntry& entry : snapshot_) {
        if (SameText(entry.name, name))
            return true;
    }
    return false;
}

void PrinterSelector::SelectDefaultPrinter() {
    SetUseWinDefaults({SystemDefault::DefaultPrinter});
    SetUseWinDefaults({});
}

std::string PrinterSelector::RefreshPrinters() {
    const std::string chosen = lastPrinterName_.empty() ? CurrentEntryName() : lastPrinterName_;
    if (!printer_.Refresh())
        return {};
    snapshot_ = printer_.Entries();
    if (ChoosePrinter(chosen)) {
        RefillLists(); // the list may have gained or lost other printers
        return {};
    }
    SelectDefaultPrinter();
    return chosen;
}

bool PrinterSelector::ChoosePrinter(const std::string& name) {
    if (!Listed(name))
        return false;
    SetPrinterName(name);
    return true;
}

void PrinterSelector::SpoolerStatus(std::int32_t count) {
    jobCount_ = count;
    Fire(onJobCountChange, this);
}

void PrinterSelector::RefillLists() {
    updating_ = true;
    std::vector<std::string> names;
    for (const PrinterEntry& entry : snapshot_)
        names.push_back(entry.name);
    dropDown_.SetItems(names);
    const std::string current = CurrentEntryName();
    int selected = -1;
    for (std::size_t i = 0; i < names.size() && selected == -1; ++i) {
        if (SameText(names[i], current))
            selected = static_cast<int>(i);
    }
    dropDown_.SetItemIndex(selected);
    UpdateBinCombo(true);
    UpdatePaperCombo(true);
    updating_ = false;
    Fire(onPrinterChange, this);
    Fire(onPaperChange, this);
    Fire(onBinChange, this);
}

} // namespace zl
