// The print service the program prints through: the system's printers first,
// in the order the system lists them, then the built-in "PCL File"
// destination, which is the default only when the system has none.
#pragma once

#include "printing/PclFileService.h"
#include "printing/PrintService.h"

#include <memory>

namespace zl {

class SystemPrintService : public PrintService {
public:
    SystemPrintService(std::unique_ptr<PrintService> system, std::unique_ptr<PclFileService> file);

    // The system's printers, then "PCL File"; it is the default when the
    // system names none.
    InstalledPrinters Printers() override;
    PrinterCapabilities Capabilities(const std::string& printer) override;
    std::unique_ptr<PrintJob> OpenJob(const std::string& printer, const std::string& documentName,
                                      DataType type) override;
    std::unique_ptr<PrintJob> OpenRequestedJob(const std::string& printer,
                                               const std::string& documentName,
                                               const JobRequests& requests) override;
    void RefreshLookups() override { system_->RefreshLookups(); }
    void SetLookupTimeLimit(std::chrono::milliseconds limit) override {
        system_->SetLookupTimeLimit(limit);
    }

    // With `fail` set (the command line), a print server that does not
    // answer makes the look-ups of the printers fail with its cause instead
    // of listing only "PCL File"; the window keeps "PCL File" usable.
    void SetFailWhenServerSilent(bool fail) { failWhenSilent_ = fail; }
    // After the last look-up of the printers found no print
    // server to ask (none configured, it refused the connection, or it did
    // not answer in time while that is no failure): why, in words; empty
    // otherwise.
    std::string FallbackNote() const override { return fallbackNote_; }
    void SetFullQueueWait(FullQueueWait wait) override {
        system_->SetFullQueueWait(std::move(wait));
    }
    // The built-in "PCL File" destination, for where its jobs went.
    const PclFileService& PclFile() const { return *file_; }

private:
    // The service that serves `printer`.
    PrintService& Serving(const std::string& printer);
    // Notes why the system's printers are left out, or raises `failure`
    // when that is no reason to fall back.
    void FallBack(const PrintFailure& failure);

    std::unique_ptr<PrintService> system_;
    std::unique_ptr<PclFileService> file_;
    bool failWhenSilent_ = false;
    std::string fallbackNote_;
};

// The process-wide print service, made at first use: CUPS on Linux and macOS,
// the Windows spooler on Windows, each followed by "PCL File".
SystemPrintService& ProcessPrintService();

} // namespace zl
