#include "printer/ListingJob.h"

#include "platform/Exception.h"
#include "printer/JobWriting.h"

#include <vector>

namespace zl {

void ListingJob::PrintListing(const std::string& fileName, std::int32_t printerIndex) {
    const std::vector<PrinterEntry>& entries = printers_.Entries();
    if (printerIndex < 0 || printerIndex >= static_cast<std::int32_t>(entries.size()))
        throw PrintFailure(PrintStep::ChoosePrinter,
                           {CauseKind::PrinterGone,
                            "List index out of bounds (" + std::to_string(printerIndex) + ")"});
    const std::string printer = entries[static_cast<std::size_t>(printerIndex)].name;
    WriteAsJob(job_, {printer, kDocumentName},
               [&](ByteSink& job, const std::function<void()>& inputOpened) {
                   composer_.Compose(fileName, job, inputOpened);
               });
}

} // namespace zl
