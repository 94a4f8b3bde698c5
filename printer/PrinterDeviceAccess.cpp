// The selector's access to the current printer's device: the paper forms
// and bins it offers, and those it takes by default.
#include "printer/PrinterSelector.h"

#include <algorithm>

namespace zl {

namespace {

// The name as a fixed slot of `width` characters holds it.
std::string Slot(const std::string& name, std::size_t width) {
    return name.substr(0, std::min(name.find('\0'), width));
}

// The name of the last entry of `list` with `code`; empty when none has it.
std::string NameOfCode(const std::vector<NamedRef>& list, std::uint16_t code) {
    std::string name;
    for (const NamedRef& entry : list) {
        if (entry.ref.code == code)
            name = entry.name;
    }
    return name;
}

} // namespace

PrinterDevice* PrinterSelector::CurrentDevice() const {
    try {
        return printer_.Device();
    } catch (const std::exception&) {
        return nullptr; // no printer to work on: nothing is reported
    }
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

std::string PrinterSelector::DefaultPaperName() const {
    const PrinterDevice* device = CurrentDevice();
    return device ? NameOfCode(paperList_, device->capabilities.defaults.paper) : std::string();
}

std::string PrinterSelector::DefaultBinName() const {
    const PrinterDevice* device = CurrentDevice();
    return device ? NameOfCode(binList_, device->capabilities.defaults.bin) : std::string();
}

} // namespace zl
