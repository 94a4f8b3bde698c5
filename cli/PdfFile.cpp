#include "cli/PdfFile.h"

#include "printer/JobWriting.h"
#include "printer/ListingJob.h"
#include "printing/OutputFileService.h"
#include "render/PdfListing.h"

namespace zl::cli {

int WritePdfFile(const std::string& pdfPath, const render::ListingSource& source) {
    OutputFileService output(pdfPath);
    RawPrintJob job(output);
    int pages = 0;
    WriteAsJob(job, {OutputFileService::kPrinterName, ListingJob::kDocumentName},
               [&](ByteSink& pdf, const std::function<void()>& inputOpened) {
                   pages =
                       render::WriteListingPdf(source, pdf, ListingJob::kDocumentName, inputOpened);
               });
    return pages;
}

} // namespace zl::cli
