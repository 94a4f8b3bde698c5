#include "printing/SinglePrinterService.h"

namespace zl {

PrinterCapabilities SinglePrinterService::Capabilities(const std::string& printer) {
    if (printer != printerName_)
        throw PrintFailure(PrintStep::Describe, "no printer named '" + printer + "'", printer);
    return {};
}

std::unique_ptr<PrintJob> SinglePrinterService::OpenJob(const std::string& printer,
                                                        const std::string& documentName,
                                                        DataType type) {
    if (printer != printerName_)
        throw PrintFailure(PrintStep::Open, "", printer);
    std::unique_ptr<DocumentJob> job = NewJob();
    job->Begin(documentName, type);
    return job;
}

} // namespace zl
