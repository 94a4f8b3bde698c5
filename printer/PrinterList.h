// The installed printers, the current printer and its device settings.
#pragma once

#include "platform/DeviceMode.h"
#include "platform/Exception.h"
#include "platform/Spooler.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zl {

// A failure of the printer list.
class EPrinter : public Exception {
public:
    using Exception::Exception;
};

struct PrinterDevice {
    std::string driverName;
    std::string deviceName;
    std::string portName;
};

struct PrinterEntry {
    std::string name;
    PrinterDevice device;
};

class PrinterList {
public:
    explicit PrinterList(Spooler& spooler) : spooler_(spooler) {}
    ~PrinterList();
    PrinterList(const PrinterList&) = delete;
    PrinterList& operator=(const PrinterList&) = delete;

    // The installed printers in the spooler's order, built at first use and
    // kept for the object's life.
    const std::vector<PrinterEntry>& Entries();
    std::vector<std::string> EntryNames();
    // Lists the printers afresh; the current printer stays current, with its
    // settings, while it is still listed. A listing that falls short because
    // the print server could not be asked changes nothing: false, and the
    // printers of the last full listing stay.
    bool Refresh();

    // The current printer's index; resolves the default printer first when
    // none has been chosen.
    std::int32_t CurrentIndex();
    // -1 chooses the default printer; any other index must be in the list.
    void SetCurrentIndex(std::int32_t index);
    // Makes the system's default printer current, with its default settings.
    void SelectDefault();

    // The current printer's names and device-mode block (possibly none).
    void GetDevice(std::string& device, std::string& driver, std::string& port,
                   DeviceModeHandle& mode);
    // Makes the named device current with `mode`, or with the printer's
    // default settings when `mode` is null.
    void SetDevice(const std::string& device, const std::string& driver, const std::string& port,
                   DeviceModeHandle mode);

    Spooler& SpoolerUsed() const { return spooler_; }

private:
    std::vector<PrinterEntry> BuildEntries();
    // Forgets the current printer and its settings.
    void DropCurrent();
    std::string DefaultPrinterName();
    void ReleaseMode();

    Spooler& spooler_;
    std::vector<PrinterEntry> entries_;
    bool built_ = false;
    std::int32_t currentIndex_ = -1;
    DeviceModeHandle mode_;
    bool modeLocked_ = false;
    PrinterHandle printer_ = nullptr;
};

// The process-wide printer list on the process-wide spooler.
PrinterList& ProcessPrinterList();

} // namespace zl
