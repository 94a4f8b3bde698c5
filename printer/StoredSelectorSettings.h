// The values a window keeps for its printer selector, loaded in their stored
// order and then matched against the current printer.
#pragma once

#include "printer/PrinterSelector.h"

#include <string>

namespace zl {

struct StoredSelectorSettings {
    std::string printerName;
    std::string paperSize = "Legal";
    std::string binSource;
    PaperOrientation orientation = PaperOrientation::Portrait;
    std::int32_t copies = 1;
    std::int32_t printQuality = -4;
    DuplexMode duplex = DuplexMode::Simplex;
    double paperWidth = 215.9;
    double paperLength = 355.6;
    SystemDefaults useWinDefaults;
};

inline void LoadStoredSettings(PrinterSelector& selector, const StoredSelectorSettings& stored) {
    selector.BeginLoading();
    selector.SetPrinterName(stored.printerName);
    PrinterSettings& settings = selector.Settings();
    settings.SetPaperSize(stored.paperSize);
    settings.SetBinSource(stored.binSource);
    settings.SetOrientation(stored.orientation);
    settings.SetCopies(stored.copies);
    settings.SetPrintQuality(stored.printQuality);
    settings.SetDuplex(stored.duplex);
    settings.SetPaperWidth(stored.paperWidth);
    settings.SetPaperLength(stored.paperLength);
    selector.SetUseWinDefaults(stored.useWinDefaults);
    selector.EndLoading();
}

} // namespace zl
