#include "printer/PrinterSelector.h"

#include "printer/FindClosestName.h"
#include "printer/TextCompare.h"

namespace zl {

PrinterSelector::PrinterSelector(PrinterList& printer, ListControl& dropDown)
    : printer_(printer), dropDown_(dropDown) {
    snapshot_ = printer_.Entries();
    ReadCapabilities();
}

void PrinterSelector::ListPrinters() {
    lastPrinterName_ = CurrentEntryName();
    RefillLists();
}

std::string PrinterSelector::CurrentEntryName() {
    const std::int32_t index = printer_.CurrentIndex();
    return printer_.Entries().at(static_cast<std::size_t>(index)).name;
}

std::string PrinterSelector::PrinterName() {
    return CurrentEntryName();
}

void PrinterSelector::SetPrinterName(const std::string& value) {
    const int index = FindClosestName(value, printer_.EntryNames());
    if (index == printer_.CurrentIndex())
        ReadCapabilities();
    else
        SwitchTo(index);
    lastPrinterName_ = CurrentEntryName();
}

void PrinterSelector::SwitchTo(int index) {
    // The chosen printer starts from its own defaults: asked once, here.
    printer_.SetCurrentIndex(index);
    printer_.ForgetDevice();
    printer_.Device();
    ReadCapabilities();
    RefillLists();
}

void PrinterSelector::ListSelectionChange() {
    const std::string picked = dropDown_.Text();
    if (picked != CurrentEntryName())
        SetPrinterName(picked);
}

void PrinterSelector::ReselectPrinter() {
    SetPrinterName(lastPrinterName_);
}

void PrinterSelector::SelectDefaultPrinter() {
    SwitchTo(-1);
    lastPrinterName_ = CurrentEntryName();
}

bool PrinterSelector::Listed(const std::string& name) const {
    for (const PrinterEntry& entry : snapshot_) {
        if (SameText(entry.name, name))
            return true;
    }
    return false;
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

void PrinterSelector::RefillLists() {
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
    if (onPrinterChange)
        onPrinterChange();
}

} // namespace zl
