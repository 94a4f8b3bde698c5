#include "printer/ListingJob.h"

#include "printer/JobWriting.h"

namespace zl {

void ListingJob::PrintListing(const std::string& fileName, const std::string& printer) {
    WriteAsJob(job_, {printer, kDocumentName},
               [&](ByteSink& job, const std::function<void()>& inputOpened) {
                   composer_.Compose(fileName, job, inputOpened);
               });
}

} // namespace zl
