// One listing printed as one raw job on an entry of the printer list: the
// job handling the window and the command line share.
#pragma once

#include "engine/ListingComposer.h"
#include "printer/PrinterList.h"
#include "printer/RawPrintJob.h"

#include <cstdint>
#include <string>

namespace zl {

class ListingJob {
public:
    static constexpr const char* kDocumentName = "ZelPrint Job";

    // Everything is borrowed and must outlive this object.
    ListingJob(RawPrintJob& job, PrinterList& printers, ListingComposer& composer)
        : job_(job), printers_(printers), composer_(composer) {}

    // Prints `fileName` as one complete job on entry `printerIndex` of the
    // printer list, or raises. The index is checked and the file opened
    // before the job, so that neither a wrong index, nor a file that cannot
    // be opened, nor an unknown input encoding leaves a job; a failure after
    // the job was opened cancels it, so nothing of the listing prints.
    void PrintListing(const std::string& fileName, std::int32_t printerIndex);

private:
    RawPrintJob& job_;
    PrinterList& printers_;
    ListingComposer& composer_;
};

} // namespace zl
