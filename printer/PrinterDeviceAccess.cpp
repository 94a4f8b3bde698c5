// The selector's access to the current printer's device: its settings, and
// what it offers (paper forms and bins) with the combo boxes that show them.
#include "printer/PrinterSelector.h"

#include "printer/TextCompare.h"

#include <algorithm>

namespace zl {

namespace {

// The name as a fixed slot of `width` characters holds it.
std::string Slot(const std::string& name, std::size_t width) {
    return name.substr(0, std::min(name.find('\0'), width));
}

} // namespace

PrinterDevice* PrinterSelector::CurrentDevice() const {
    try {
        return printer_.Device();
    } catch (const std::exception&) {
        return nullptr; // no printer to work on: nothing is reported
    }
}

DeviceSettings* PrinterSelector::Device() const {
    PrinterDevice* device = CurrentDevice();
    return device ? &device->settings : nullptr;
}

void PrinterSelector::ReadCapabilities() {
    binList_.clear();
    paperList_.clear();
    const PrinterDevice* device = CurrentDevice();
    if (!device)
        return;
    // Only as many as the lists hold.
    const PrinterCapabilities& offered = device->capabilities;
    for (std::size_t i = 0; i < offered.bins.size() && i < kMaxBins; ++i)
        binList_.push_back({Slot(offered.bins[i].name, 24), {offered.bins[i].code, 0, 0}});
    for (std::size_t i = 0; i < offered.forms.size() && i < kMaxPapers; ++i) {
        const PaperForm& form = offered.forms[i];
        paperList_.push_back({Slot(form.name, 64), {form.code, form.size.width, form.size.length}});
    }
}

void PrinterSelector::FillCombo(ListControl* combo, const std::vector<NamedRef>& list, bool refill,
                                const std::string& selected) {
    if (!combo)
        return;
    std::vector<std::string> names;
    for (const NamedRef& entry : list)
        names.push_back(entry.name);
    if (refill)
        combo->SetItems(names);
    int index = -1;
    const std::vector<std::string> items = combo->Items();
    for (std::size_t i = 0; i < items.size() && index == -1; ++i) {
        if (SameText(items[i], selected))
            index = static_cast<int>(i);
    }
    combo->SetItemIndex(index);
}

void PrinterSelector::UpdatePaperCombo(bool refill) {
    FillCombo(comboPaper_, paperList_, refill, settings_.PaperName());
    Fire(onPaperChange, this);
}

void PrinterSelector::UpdateBinCombo(bool refill) {
    FillCombo(comboBin_, binList_, refill, settings_.BinName());
    Fire(onBinChange, this);
}

void PrinterSelector::SetComboPaperSize(ListControl* combo) {
    comboPaper_ = combo;
    FillCombo(comboPaper_, paperList_, true, settings_.PaperName());
}

void PrinterSelector::SetComboPaperSource(ListControl* combo) {
    comboBin_ = combo;
}

} // namespace zl
