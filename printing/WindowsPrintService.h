// The print service on the Windows spooler, through its ANSI calls: the only
// place where the program speaks winspool. Windows builds only.
#pragma once

#ifdef _WIN32

#include "printing/PrintService.h"

namespace zl {

class WindowsPrintService : public PrintService {
public:
    // The local printers and the connections, in the spooler's order, and
    // the default printer as the system names it, else as the user's profile
    // does; a failure's cause is the system's text for its error code.
    InstalledPrinters Printers() override;
    // What the printer's driver reports, with its driver's default settings.
    PrinterCapabilities Capabilities(const std::string& printer) override;
    // A job of one document and one page, named `documentName`.
    std::unique_ptr<PrintJob> OpenJob(const std::string& printer, const std::string& documentName,
                                      DataType type) override;
};

} // namespace zl

#endif
