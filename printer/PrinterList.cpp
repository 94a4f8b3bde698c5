#include "printer/PrinterList.h"

#include "platform/SystemError.h"
#include "platform/SystemSpooler.h"
#include "printer/TextCompare.h"

namespace zl {

namespace {

constexpr const char* kNoDefault = "There is no default printer currently selected";

// The text before the first comma, leading blanks skipped.
std::string FirstField(const std::string& text) {
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return {};
    return text.substr(start, text.find(',', start) - start);
}

} // namespace

PrinterList::~PrinterList() {
    DropCurrent();
}

const std::vector<PrinterEntry>& PrinterList::Entries() {
    if (!built_) {
        entries_ = BuildEntries(); // a failure leaves nothing behind
        built_ = true;
    }
    return entries_;
}

std::vector<std::string> PrinterList::EntryNames() {
    std::vector<std::string> names;
    for (const PrinterEntry& entry : Entries())
        names.push_back(entry.name);
    return names;
}

bool PrinterList::Refresh() {
    std::vector<PrinterEntry> fresh = BuildEntries();
    if (built_ && !spooler_.FallbackNote().empty())
        return false;
    std::string current;
    if (currentIndex_ >= 0 && currentIndex_ < static_cast<std::int32_t>(entries_.size()))
        current = entries_[static_cast<std::size_t>(currentIndex_)].device.deviceName;
    entries_ = std::move(fresh);
    built_ = true;
    currentIndex_ = -1;
    for (std::size_t i = 0; i < entries_.size() && !current.empty(); ++i) {
        if (SameText(entries_[i].device.deviceName, current))
            currentIndex_ = static_cast<std::int32_t>(i);
    }
    if (currentIndex_ == -1)
        DropCurrent();
    return true;
}

void PrinterList::DropCurrent() {
    ReleaseMode();
    if (printer_)
        spooler_.ClosePrinter(printer_);
    printer_ = nullptr;
}

// Every Windows this program runs on is NT-based, and CUPS answers as such:
// the printers and connections, one entry each.
std::vector<PrinterEntry> PrinterList::BuildEntries() {
    std::vector<PrinterEntry> entries;
    std::vector<PrinterInfo> infos;
    if (!spooler_.EnumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, 4, infos))
        return entries;
    for (const PrinterInfo& info : infos)
        entries.push_back({info.printerName, {"", info.printerName, ""}});
    return entries;
}

std::string PrinterList::DefaultPrinterName() {
    std::vector<PrinterInfo> infos;
    if (!spooler_.EnumPrinters(PRINTER_ENUM_DEFAULT, 5, infos)) {
        std::uint32_t error = spooler_.LastError();
        if (error == ERROR_INVALID_NAME)
            throw EPrinter(kNoDefault);
        if (error != ERROR_INSUFFICIENT_BUFFER) {
            const std::string& cause = spooler_.LastErrorCause();
            throw EPrinter(SystemErrorMessage(error) + (cause.empty() ? "" : ": " + cause));
        }
        if (!spooler_.EnumPrinters(PRINTER_ENUM_DEFAULT, 5, infos))
            infos.clear();
    }
    if (!infos.empty())
        return infos.front().printerName;
    return FirstField(spooler_.GetProfileString("windows", "device", ""));
}

void PrinterList::SelectDefault() {
    const std::string name = DefaultPrinterName();
    for (const PrinterEntry& entry : Entries()) {
        if (SameText(entry.device.deviceName, name)) {
            PrinterDevice device = entry.device; // SetDevice may touch the entry
            SetDevice(device.deviceName, device.driverName, device.portName, nullptr);
            return;
        }
    }
    throw EPrinter(kNoDefault);
}

std::int32_t PrinterList::CurrentIndex() {
    if (currentIndex_ == -1)
        SelectDefault();
    return currentIndex_;
}

void PrinterList::SetCurrentIndex(std::int32_t index) {
    if (index == -1) {
        SelectDefault();
    } else {
        CurrentIndex();
        if (index < 0 || index >= static_cast<std::int32_t>(Entries().size()))
            throw EPrinter("Printer index out of range");
    }
    currentIndex_ = index;
}

void PrinterList::GetDevice(std::string& device, std::string& driver, std::string& port,
                            DeviceModeHandle& mode) {
    const PrinterDevice& current = Entries().at(static_cast<std::size_t>(CurrentIndex())).device;
    device = current.deviceName;
    driver = current.driverName;
    port = current.portName;
    mode = mode_;
}

void PrinterList::ReleaseMode() {
    if (mode_ && modeLocked_)
        mode_->Unlock();
    modeLocked_ = false;
    mode_.reset();
}

void PrinterList::SetDevice(const std::string& device, const std::string& driver,
                            const std::string& port, DeviceModeHandle mode) {
    if (mode != mode_) {
        ReleaseMode();
        mode_ = std::move(mode);
    }
    if (mode_ && !modeLocked_) {
        mode_->Lock();
        modeLocked_ = true;
    }
    if (printer_) {
        spooler_.ClosePrinter(printer_);
        printer_ = nullptr;
    }

    Entries();
    std::size_t found = entries_.size();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        PrinterDevice& record = entries_[i].device;
        if (record.deviceName == device && (record.portName.empty() || record.portName == port)) {
            record.portName = port;
            found = i;
            break;
        }
    }
    if (found == entries_.size())
        entries_.push_back({device + " on " + port, {driver, device, port}});
    currentIndex_ = static_cast<std::int32_t>(found);

    if (!spooler_.OpenPrinter(device, printer_)) {
        printer_ = nullptr;
        return; // the device stays current, without settings of its own
    }
    if (mode_)
        return;
    std::int32_t size = spooler_.DocumentProperties(printer_, device, nullptr, nullptr, 0);
    if (size <= 0)
        return;
    auto block = std::make_shared<DeviceModeBlock>();
    DeviceMode* locked = block->Lock();
    if (spooler_.DocumentProperties(printer_, device, locked, locked, DM_OUT_BUFFER) < 0)
        return; // the block is freed with `block`
    mode_ = std::move(block);
    modeLocked_ = true;
}

PrinterList& ProcessPrinterList() {
    static PrinterList printer(ProcessSpooler());
    return printer;
}

} // namespace zl
