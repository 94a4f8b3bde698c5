#include "printer/ListingJob.h"

#include "platform/Exception.h"

#include <vector>

namespace zl {

void ListingJob::PrintListing(const std::string& fileName, std::int32_t printerIndex) {
    const std::vector<PrinterEntry>& entries = printers_.Entries();
    if (printerIndex < 0 || printerIndex >= static_cast<std::int32_t>(entries.size()))
        throw Exception("List index out of bounds (" + std::to_string(printerIndex) + ")");
    const std::string printer = entries[static_cast<std::size_t>(printerIndex)].name;
    bool started = false;
    try {
        composer_.Compose(fileName, job_, [&] {
            job_.StartJob(printer, kDocumentName);
            started = true;
        });
        job_.EndPage();
        job_.EndJob();
    } catch (...) {
        // Nothing of a failed listing prints, and the next listing can open
        // a job of its own.
        if (started)
            job_.AbortJob();
        throw;
    }
}

} // namespace zl
