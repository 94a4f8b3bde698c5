// The selector's access to the current printer's device mode and to what
// the printer offers: paper forms and bins.
#include "printer/PrinterSelector.h"

#include "printer/TextCompare.h"

namespace zl {

bool PrinterSelector::LockDeviceMode() {
    try {
        printer_.GetDevice(deviceName_, driverName_, portName_, deviceModeHandle_);
        if (!deviceModeHandle_) {
            printer_.SetCurrentIndex(printer_.CurrentIndex());
            printer_.GetDevice(deviceName_, driverName_, portName_, deviceModeHandle_);
        }
        if (!deviceModeHandle_) {
            lockedDeviceMode_ = nullptr;
            return false;
        }
        printer_.SetDevice(deviceName_, driverName_, portName_, deviceModeHandle_);
        lockedDeviceMode_ = deviceModeHandle_->Lock();
        return true;
    } catch (const std::exception&) {
        // No device mode to work on: nothing is reported.
        lockedDeviceMode_ = nullptr;
        return false;
    }
}

void PrinterSelector::UnlockDeviceMode() {
    printer_.SetDevice(deviceName_, driverName_, portName_, deviceModeHandle_);
    if (deviceModeHandle_)
        deviceModeHandle_->Unlock();
}

void PrinterSelector::RefreshCapabilities() {
    try {
        if (LockDeviceMode())
            UnlockDeviceMode();
    } catch (const std::exception&) {
    }
    ReadCapabilities();
}

namespace {

// The name as a fixed slot of `width` characters holds it.
std::string Slot(const std::string& name, std::size_t width) {
    return name.substr(0, std::min(name.find('\0'), width));
}

} // namespace

void PrinterSelector::ReadCapabilities() {
    binList_.clear();
    paperList_.clear();
    Spooler& spooler = printer_.SpoolerUsed();
    DeviceCapabilityData codes, names, sizes;

    spooler.DeviceCapabilities(deviceName_, portName_, DC_BINS, codes, lockedDeviceMode_);
    std::int32_t count =
        spooler.DeviceCapabilities(deviceName_, portName_, DC_BINNAMES, names, lockedDeviceMode_);
    // Only as many as the lists hold, and only what the printer gave.
    for (std::size_t i = 0;
         count > 0 && i < static_cast<std::size_t>(count) && i < kMaxBins && i < names.names.size();
         ++i) {
        FormCode ref;
        ref.code = i < codes.codes.size() ? codes.codes[i] : 0;
        binList_.push_back({Slot(names.names[i], 24), ref});
    }

    spooler.DeviceCapabilities(deviceName_, portName_, DC_PAPERS, codes, lockedDeviceMode_);
    spooler.DeviceCapabilities(deviceName_, portName_, DC_PAPERSIZE, sizes, lockedDeviceMode_);
    count =
        spooler.DeviceCapabilities(deviceName_, portName_, DC_PAPERNAMES, names, lockedDeviceMode_);
    for (std::size_t i = 0; count > 0 && i < static_cast<std::size_t>(count) && i < kMaxPapers &&
                            i < names.names.size();
         ++i) {
        FormCode ref;
        ref.code = i < codes.codes.size() ? codes.codes[i] : 0;
        if (i < sizes.sizes.size()) {
            ref.width = sizes.sizes[i].width;
            ref.length = sizes.sizes[i].length;
        }
        paperList_.push_back({Slot(names.names[i], 64), ref});
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
