// The installed printers, the current printer, and what the current printer
// offers.
#pragma once

#include "platform/Exception.h"
#include "printing/PrintService.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zl {

struct PrinterEntry {
    std::string name;
};

// The current printer's paper forms, bins and two-sided printing, and the
// form and bin it takes by default.
struct PrinterDevice {
    PrinterCapabilities capabilities;
};

class PrinterList {
public:
    explicit PrinterList(PrintService& service) : service_(service) {}
    PrinterList(const PrinterList&) = delete;
    PrinterList& operator=(const PrinterList&) = delete;

    // The installed printers in the service's order, built at first use and
    // kept until Refresh.
    const std::vector<PrinterEntry>& Entries();
    std::vector<std::string> EntryNames();
    // Lists the printers afresh; the current printer stays current while it
    // is still listed. A listing that falls short because the print server
    // could not be asked changes nothing: false, and the printers of the
    // last full listing stay.
    bool Refresh();

    // The current printer's index; resolves the default printer first when
    // none has been chosen.
    std::int32_t CurrentIndex();
    // -1 chooses the default printer; any other index must be in the list.
    // Choosing another printer forgets the device of the last one.
    void SetCurrentIndex(std::int32_t index);
    // Makes the system's default printer current, its device asked afresh.
    void SelectDefault();

    // The current printer's device, asked of the service once for each
    // choice of a printer, and once more after a Refresh; null when the
    // service could not describe it.
    PrinterDevice* Device();
    // The next Device() asks the service afresh.
    void ForgetDevice();

    PrintService& Service() const { return service_; }

private:
    std::vector<PrinterEntry> ListEntries();
    void MakeCurrent(std::int32_t index);

    PrintService& service_;
    std::vector<PrinterEntry> entries_;
    bool built_ = false;
    std::int32_t currentIndex_ = -1;
    bool deviceAsked_ = false;
    bool deviceStale_ = false; // asked before the last Refresh
    std::optional<PrinterDevice> device_;
};

// The process-wide printer list on the process-wide print service.
PrinterList& ProcessPrinterList();

} // namespace zl
