#include "printer/PrinterSettings.h"

#include "printer/FindClosestName.h"
#include "printer/PrinterSelector.h"

#include <cmath>
#include <limits>

namespace zl {

namespace {

// Millimetres in tenths, rounded to the nearest, halves to the even
// neighbour, within what the field can hold.
std::int32_t Tenths(double millimetres) {
    const double tenths = std::nearbyint(millimetres * 10);
    if (!(tenths > std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (tenths > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(tenths);
}

std::vector<std::string> Names(const std::vector<NamedRef>& list) {
    std::vector<std::string> names;
    for (const NamedRef& entry : list)
        names.push_back(entry.name);
    return names;
}

} // namespace

std::string PrinterSettings::ReadChoice(Kind kind) const {
    std::string name = kind == Kind::Paper ? paperName_ : binName_;
    const DeviceSettings* device = selector_.Device();
    if (!device)
        return name;
    const auto& list = kind == Kind::Paper ? selector_.PaperList() : selector_.BinList();
    const std::uint16_t code = kind == Kind::Paper ? device->paper : device->bin;
    for (const NamedRef& entry : list) {
        if (entry.ref.code == code)
            name = entry.name;
    }
    return name;
}

std::string PrinterSettings::PaperSize() const {
    return ReadChoice(Kind::Paper);
}
std::string PrinterSettings::BinSource() const {
    return ReadChoice(Kind::Bin);
}
void PrinterSettings::SetPaperSize(const std::string& value) {
    WriteChoice(Kind::Paper, value);
}
void PrinterSettings::SetBinSource(const std::string& value) {
    WriteChoice(Kind::Bin, value);
}

void PrinterSettings::WriteChoice(Kind kind, const std::string& value) {
    PrinterSelector& selector = selector_;
    const bool paper = kind == Kind::Paper;
    std::string& stored = paper ? paperName_ : binName_;
    if (selector.Loading())
        stored = value;
    if (selector.Updating())
        return;
    bool changed = value != stored;
    std::string v = value;
    if (selector.UseWinDefaults().Has(paper ? SystemDefault::DefaultPaperSize
                                            : SystemDefault::DefaultBin))
        v = ReadChoice(kind);
    const std::vector<NamedRef>& list = paper ? selector.PaperList() : selector.BinList();
    const int index = FindClosestName(v, Names(list));
    if (index == -1)
        return;
    const NamedRef& entry = list[static_cast<std::size_t>(index)];
    v = entry.name;
    if (v != stored)
        changed = true;
    if (paper) {
        paperCode_ = entry.ref.code;
        if (paperCode_ != kUserDefinedPaper) {
            paperWidth_ = entry.ref.width / 10.0;
            paperLength_ = entry.ref.length / 10.0;
        }
    } else {
        binCode_ = entry.ref.code;
    }
    stored = v;
    ApplyToDevice();
    if (changed) {
        if (paper)
            selector.UpdatePaperCombo(false);
        else
            selector.UpdateBinCombo(false);
    }
}

void PrinterSettings::SetOrientation(PaperOrientation value) {
    const bool changed = value != orientation_;
    orientation_ = value;
    ApplyToDevice();
    if (changed)
        selector_.Fire(selector_.onOrientationChange, this);
}

void PrinterSettings::SetCopies(std::int32_t value) {
    copies_ = value < 1 ? 1 : value;
    ApplyToDevice();
}

void PrinterSettings::SetPrintQuality(std::int32_t value) {
    printQuality_ = value;
    ApplyToDevice();
}

void PrinterSettings::SetDuplex(DuplexMode value) {
    duplex_ = value;
    ApplyToDevice();
}

void PrinterSettings::SetCustomSize(double& field, double value) {
    const DeviceSettings* device = selector_.Device();
    if (device && device->paper == kUserDefinedPaper)
        field = value;
}

void PrinterSettings::SetPaperWidth(double value) {
    SetCustomSize(paperWidth_, value);
}
void PrinterSettings::SetPaperLength(double value) {
    SetCustomSize(paperLength_, value);
}

void PrinterSettings::ApplyToDevice() {
    if (selector_.Loading())
        return;
    DeviceSettings* device = selector_.Device();
    if (!device)
        return;
    const SystemDefaults defaults = selector_.UseWinDefaults();
    if (defaults.Has(SystemDefault::DefaultPrintQuality))
        printQuality_ = device->printQuality;
    else
        device->printQuality = printQuality_;
    device->copies = copies_;
    if (defaults.Has(SystemDefault::DefaultDuplex))
        duplex_ = device->duplex;
    else
        device->duplex = duplex_;
    ApplyChoices(*device);
    device->orientation = orientation_;
}

void PrinterSettings::ApplyChoices(DeviceSettings& device) {
    const SystemDefaults defaults = selector_.UseWinDefaults();
    if (device.bin != binCode_) {
        if (defaults.Has(SystemDefault::DefaultBin))
            binCode_ = device.bin;
        else
            device.bin = binCode_;
    }
    if (device.paper != paperCode_) {
        if (defaults.Has(SystemDefault::DefaultPaperSize))
            paperCode_ = device.paper;
        else
            device.paper = paperCode_;
    }
    if (paperCode_ == kUserDefinedPaper && !defaults.Has(SystemDefault::DefaultPaperSize))
        device.paperSize = {Tenths(paperWidth_), Tenths(paperLength_)};
}

} // namespace zl
