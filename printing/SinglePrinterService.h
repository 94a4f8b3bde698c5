// A print service with a single printer of a fixed name, which is also the
// default, offers no forms or bins of its own, and whose jobs are done when
// they end: PCL File and the output file.
#pragma once

#include "printing/DocumentJob.h"

#include <memory>

namespace zl {

class SinglePrinterService : public PrintService {
public:
    explicit SinglePrinterService(std::string printerName) : printerName_(std::move(printerName)) {}

    InstalledPrinters Printers() override { return {{printerName_}, printerName_}; }
    PrinterCapabilities Capabilities(const std::string& printer) override;
    std::unique_ptr<PrintJob> OpenJob(const std::string& printer, const std::string& documentName,
                                      DataType type) override;

protected:
    // A job not begun yet.
    virtual std::unique_ptr<DocumentJob> NewJob() = 0;

private:
    std::string printerName_;
};

} // namespace zl
