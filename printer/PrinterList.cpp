#include "printer/PrinterList.h"

#include "printer/TextCompare.h"
#include "printing/PrintMessages.h"
#include "printing/SystemPrintService.h"

namespace zl {

const std::vector<PrinterEntry>& PrinterList::Entries() {
    if (!built_) {
        try {
            entries_ = ListEntries();
        } catch (const PrintFailure&) {
            entries_.clear(); // no printers to choose from
        }
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

std::vector<PrinterEntry> PrinterList::ListEntries() {
    std::vector<PrinterEntry> entries;
    for (std::string& name : service_.Printers().names)
        entries.push_back({std::move(name)});
    return entries;
}

bool PrinterList::Refresh() {
    std::vector<PrinterEntry> fresh;
    try {
        fresh = ListEntries();
    } catch (const PrintFailure&) {
        if (built_)
            return false;
    }
    if (built_ && !service_.FallbackNote().empty())
        return false;
    std::string current;
    if (currentIndex_ >= 0 && currentIndex_ < static_cast<std::int32_t>(entries_.size()))
        current = entries_[static_cast<std::size_t>(currentIndex_)].name;
    entries_ = std::move(fresh);
    built_ = true;
    currentIndex_ = -1;
    for (std::size_t i = 0; i < entries_.size() && !current.empty(); ++i) {
        if (SameText(entries_[i].name, current))
            currentIndex_ = static_cast<std::int32_t>(i);
    }
    if (currentIndex_ == -1)
        ForgetDevice();
    deviceStale_ = true;
    return true;
}

void PrinterList::SelectDefault() {
    const std::string name = service_.Printers().defaultName;
    const std::vector<PrinterEntry>& entries = Entries();
    for (std::size_t i = 0; i < entries.size() && !name.empty(); ++i) {
        if (SameText(entries[i].name, name)) {
            MakeCurrent(static_cast<std::int32_t>(i));
            ForgetDevice(); // a fresh look at the default's settings
            return;
        }
    }
    throw PrintFailure(PrintStep::ChoosePrinter, kNoDefaultPrinterMessage);
}

std::int32_t PrinterList::CurrentIndex() {
    if (currentIndex_ == -1)
        SelectDefault();
    return currentIndex_;
}

void PrinterList::SetCurrentIndex(std::int32_t index) {
    if (index == -1) {
        SelectDefault();
        return;
    }
    CurrentIndex();
    if (index < 0 || index >= static_cast<std::int32_t>(Entries().size()))
        throw PrintFailure(PrintStep::ChoosePrinter, kPrinterIndexMessage);
    MakeCurrent(index);
}

void PrinterList::MakeCurrent(std::int32_t index) {
    if (index != currentIndex_)
        ForgetDevice();
    currentIndex_ = index;
}

PrinterDevice* PrinterList::Device() {
    const std::string& name = Entries().at(static_cast<std::size_t>(CurrentIndex())).name;
    if (deviceAsked_ && !deviceStale_)
        return device_ ? &*device_ : nullptr;
    // A printer the service cannot describe stays current, without a
    // device.
    device_.reset();
    try {
        device_ = PrinterDevice{service_.Capabilities(name)};
    } catch (const PrintFailure&) {
    }
    deviceAsked_ = true;
    deviceStale_ = false;
    return device_ ? &*device_ : nullptr;
}

void PrinterList::ForgetDevice() {
    deviceAsked_ = false;
    deviceStale_ = false;
    device_.reset();
}

PrinterList& ProcessPrinterList() {
    static PrinterList printer(ProcessPrintService());
    return printer;
}

} // namespace zl
