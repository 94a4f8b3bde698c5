// One listing printed as one raw job on a printer: the job handling the
// window and the command line share.
#pragma once

#include "engine/ListingComposer.h"
#include "printer/RawPrintJob.h"

#include <string>

namespace zl {

class ListingJob {
public:
    static constexpr const char* kDocumentName = "ZelPrint Job";

    // Everything is borrowed and must outlive this object.
    ListingJob(RawPrintJob& job, ListingComposer& composer) : job_(job), composer_(composer) {}

    // Prints `fileName` as one complete job on `printer`, or raises. The
    // file is opened before the job, so that neither a file that cannot be
    // opened nor an unknown input encoding leaves a job; a failure after the
    // job was opened cancels it, so nothing of the listing prints.
    void PrintListing(const std::string& fileName, const std::string& printer);

private:
    RawPrintJob& job_;
    ListingComposer& composer_;
};

} // namespace zl
