#include "printing/SystemPrintService.h"

#ifdef _WIN32
#include "printing/WindowsPrintService.h"
#else
#include "printing/CupsPrintService.h"
#endif

namespace zl {

SystemPrintService::SystemPrintService(std::unique_ptr<PrintService> system,
                                       std::unique_ptr<PclFileService> file)
    : system_(std::move(system)), file_(std::move(file)) {}

PrintService& SystemPrintService::Serving(const std::string& printer) {
    if (printer == PclFileService::kPrinterName)
        return *file_;
    return *system_;
}

void SystemPrintService::FallBack(const PrintFailure& failure) {
    // A server that does not answer in time may come back: the command line
    // says so rather than print elsewhere.
    if (failWhenSilent_ && failure.ServerSilent())
        throw failure;
    fallbackNote_ = failure.Cause(); // "PCL File" alone is still usable
}

InstalledPrinters SystemPrintService::Printers() {
    fallbackNote_.clear();
    InstalledPrinters installed;
    try {
        installed = system_->Printers();
    } catch (const PrintFailure& failure) {
        FallBack(failure);
    }
    installed.names.push_back(PclFileService::kPrinterName);
    if (installed.defaultName.empty())
        installed.defaultName = PclFileService::kPrinterName;
    return installed;
}

PrinterCapabilities SystemPrintService::Capabilities(const std::string& printer) {
    return Serving(printer).Capabilities(printer);
}

std::unique_ptr<PrintJob> SystemPrintService::OpenJob(const std::string& printer,
                                                      const std::string& documentName,
                                                      DataType type) {
    return Serving(printer).OpenJob(printer, documentName, type);
}

std::unique_ptr<PrintJob> SystemPrintService::OpenRequestedJob(const std::string& printer,
                                                               const std::string& documentName,
                                                               const JobRequests& requests) {
    return Serving(printer).OpenRequestedJob(printer, documentName, requests);
}

SystemPrintService& ProcessPrintService() {
#ifdef _WIN32
    static SystemPrintService service(std::make_unique<WindowsPrintService>(),
                                      std::make_unique<PclFileService>());
#else
    static SystemPrintService service(std::make_unique<CupsPrintService>(),
                                      std::make_unique<PclFileService>());
#endif
    return service;
}

} // namespace zl
