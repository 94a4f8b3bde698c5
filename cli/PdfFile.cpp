#include "cli/PdfFile.h"

#include "printer/JobWriting.h"
#include "printer/ListingJob.h"
#include "printing/OutputFileService.h"
#include "render/PdfListing.h"

namespace zl::cli {

void WritePdfFile(const std::string& pdfPath, const render::ListingSource& source) {
    OutputFileService output(pdfPath);
    RawPrintJob job(output);
    WriteAsJob(job, {OutputFileService::kPrinterName, ListingJob::kDocumentName},
               [&](ByteSink& pdf, const std::function<void()>& inputOpened) {
                   render::WriteListingPdf(source, pdf, ListingJob::kDocumentName, inputOpened);
               });
}

} // namespace zl::cli
