#include "printer/UPrnRaw.h"

#include "platform/Exception.h"
#include "platform/SystemSpooler.h"

namespace zl {

RawPrintJob::~RawPrintJob() {
    AbortJob();
}

void RawPrintJob::StartJob(const std::string& printerName, const std::string& docName) {
    if (handle_)
        throw Exception("StartJob already called @ StartJob");
    if (!spooler_.OpenPrinter(printerName, handle_)) {
        handle_ = nullptr;
        throw Exception("OpenPrinter()=False @ StartJob with PrinterName:'" + printerName + "'");
    }
    DocInfo1 doc;
    doc.docName = docName;
    doc.outputFile = nullptr;
    doc.dataType = "RAW";
    // A refused document shows at the first write, which then fails.
    jobId_ = spooler_.StartDocPrinter(handle_, doc);
    spooler_.StartPagePrinter(handle_);
}

void RawPrintJob::WriteFailed() const {
    if (!handle_)
        throw Exception("no print job @ WriteData");
    throw Exception("WritePrinter() API failed @ WriteData");
}

void RawPrintJob::EndPage() {
    spooler_.EndPagePrinter(handle_);
}

void RawPrintJob::EndJob() {
    PrinterHandle handle = handle_;
    handle_ = nullptr; // no job is open after this, whatever the spooler does
    bool delivered = false;
    try {
        spooler_.EndPagePrinter(handle);
        delivered = spooler_.EndDocPrinter(handle);
    } catch (...) {
        CloseQuietly(handle);
        throw;
    }
    spooler_.ClosePrinter(handle);
    // A document the spooler could not complete did not print: say so
    // rather than let the listing pass as printed.
    if (handle && !delivered)
        throw Exception("EndDocPrinter() API failed @ EndJob");
}

void RawPrintJob::AbortJob() {
    if (!handle_)
        return;
    PrinterHandle handle = handle_;
    handle_ = nullptr;
    // Runs on failure paths: nothing here may hide the failure being reported.
    try {
        spooler_.AbortPrinter(handle);
    } catch (...) {
    }
    CloseQuietly(handle);
}

void RawPrintJob::CloseQuietly(PrinterHandle handle) {
    try {
        spooler_.ClosePrinter(handle);
    } catch (...) {
    }
}

RawPrintJob& ProcessRawJob() {
    static RawPrintJob job(ProcessSpooler());
    return job;
}

void StartJob(const std::string& printerName, const std::string& docName) {
    ProcessRawJob().StartJob(printerName, docName);
}
void WriteData(const void* data, std::int32_t count) {
    ProcessRawJob().WriteData(data, count);
}
void EndPage() {
    ProcessRawJob().EndPage();
}
void EndJob() {
    ProcessRawJob().EndJob();
}
void AbortJob() {
    ProcessRawJob().AbortJob();
}

} // namespace zl
