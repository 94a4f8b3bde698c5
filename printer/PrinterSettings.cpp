#include "printer/PrinterSettings.h"

#include "printer/FindClosestName.h"
#include "printer/PrinterSelector.h"

#include <cmath>
#include <limits>

namespace zl {

namespace {

// Millimetres as a device mode holds them: tenths, rounded to the nearest,
// halves to the even neighbour, within what the field can hold.
std::int16_t Tenths(double millimetres) {
    const double tenths = std::nearbyint(millimetres * 10);
    if (!(tenths > std::numeric_limits<std::int16_t>::min()))
        return std::numeric_limits<std::int16_t>::min();
    if (tenths > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(tenths);
}

std::vector<std::string> Names(const std::vector<NamedRef>& list) {
    std::vector<std::string> names;
    for (const NamedRef& entry : list)
        names.push_back(entry.name);
    return names;
}

} // namespace

std::string PrinterSettings::ReadChoice(Kind kind) const {
    PrinterSelector& selector = selector_;
    std::string name = kind == Kind::Paper ? paperName_ : binName_;
    if (!selector.LockDeviceMode())
        return name;
    const DeviceMode& mode = *selector.LockedDeviceMode();
    const auto& list = kind == Kind::Paper ? selector.PaperList() : selector.BinList();
    const std::int32_t code = kind == Kind::Paper ? mode.dmPaperSize : mode.dmDefaultSource;
    for (const NamedRef& entry : list) {
        if (entry.ref.code == code)
            name = entry.name;
    }
    selector.UnlockDeviceMode();
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
        selector.paperCode = entry.ref.code;
        if (selector.paperCode != DMPAPER_USER) {
            paperWidth_ = entry.ref.width / 10.0;
            paperLength_ = entry.ref.length / 10.0;
        }
    } else {
        selector.binCode = entry.ref.code;
    }
    stored = v;
    ApplyToDeviceMode();
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
    ApplyToDeviceMode();
    if (changed)
        selector_.Fire(selector_.onOrientationChange, this);
}

void PrinterSettings::SetCopies(std::int32_t value) {
    copies_ = value < 1 ? 1 : value;
    ApplyToDeviceMode();
}

void PrinterSettings::SetPrintQuality(std::int32_t value) {
    printQuality_ = value;
    ApplyToDeviceMode();
}

void PrinterSettings::SetDuplex(DuplexMode value) {
    duplex_ = value;
    ApplyToDeviceMode();
}

void PrinterSettings::SetCustomSize(double& field, double value) {
    PrinterSelector& selector = selector_;
    if (!selector.LockDeviceMode())
        return;
    if (selector.LockedDeviceMode()->dmPaperSize == DMPAPER_USER)
        field = value;
    selector.UnlockDeviceMode();
}

void PrinterSettings::SetPaperWidth(double value) {
    SetCustomSize(paperWidth_, value);
}
void PrinterSettings::SetPaperLength(double value) {
    SetCustomSize(paperLength_, value);
}

void PrinterSettings::ApplyToDeviceMode() {
    PrinterSelector& selector = selector_;
    if (selector.Loading() || !selector.LockDeviceMode())
        return;
    DeviceMode& mode = *selector.LockedDeviceMode();
    const SystemDefaults defaults = selector.UseWinDefaults();
    mode.dmFields =
        DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES | DM_DEFAULTSOURCE | DM_PRINTQUALITY | DM_DUPLEX;
    if (defaults.Has(SystemDefault::DefaultPrintQuality))
        printQuality_ = mode.dmPrintQuality;
    else
        mode.dmPrintQuality = static_cast<std::int16_t>(printQuality_);
    mode.dmCopies = static_cast<std::int16_t>(copies_ > 32767 ? 32767 : copies_);
    if (defaults.Has(SystemDefault::DefaultDuplex)) {
        const int fromMode = mode.dmDuplex - 1;
        duplex_ = fromMode == 1   ? DuplexMode::LongEdge
                  : fromMode == 2 ? DuplexMode::ShortEdge
                                  : DuplexMode::Simplex;
    } else {
        mode.dmDuplex = static_cast<std::int16_t>(static_cast<int>(duplex_) + 1);
    }
    if (mode.dmDefaultSource != selector.binCode) {
        if (defaults.Has(SystemDefault::DefaultBin))
            selector.binCode = mode.dmDefaultSource;
        else
            mode.dmDefaultSource = static_cast<std::int16_t>(selector.binCode);
    }
    if (mode.dmPaperSize != selector.paperCode) {
        if (defaults.Has(SystemDefault::DefaultPaperSize))
            selector.paperCode = mode.dmPaperSize;
        else
            mode.dmPaperSize = static_cast<std::int16_t>(selector.paperCode);
    }
    if (selector.paperCode == DMPAPER_USER && !defaults.Has(SystemDefault::DefaultPaperSize)) {
        mode.dmPaperWidth = Tenths(paperWidth_);
        mode.dmPaperLength = Tenths(paperLength_);
        mode.dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    }
    mode.dmOrientation =
        orientation_ == PaperOrientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    selector.UnlockDeviceMode();
}

} // namespace zl
