#include "printer/RawPrintJob.h"

#include "platform/Exception.h"
#include "platform/Interruption.h"
#include "platform/SystemSpooler.h"

namespace zl {

RawPrintJob::~RawPrintJob() {
    AbortJob();
}

void RawPrintJob::StartJob(const std::string& printerName, const std::string& docName,
                           const std::string& dataType) {
    if (handle_)
        throw Exception("StartJob already called @ StartJob");
    PrinterHandle handle = nullptr;
    if (!spooler_.OpenPrinter(printerName, handle)) {
        throw Exception(
            Failure("OpenPrinter()=False @ StartJob with PrinterName:'" + printerName + "'"));
    }
    SetHandle(handle);
    DocInfo1 doc;
    doc.docName = docName;
    doc.outputFile = nullptr;
    doc.dataType = dataType;
    // A refused document shows at the first write, which then fails.
    jobId_ = spooler_.StartDocPrinter(handle_, doc);
    refusedCause_ = jobId_ == 0 ? spooler_.LastErrorCause() : std::string();
    spooler_.StartPagePrinter(handle_);
}

std::string RawPrintJob::Failure(const std::string& call) const {
    const std::string& cause = spooler_.LastErrorCause();
    return cause.empty() ? call : call + ": " + cause;
}

void RawPrintJob::SetHandle(PrinterHandle handle) {
    handle_ = handle;
    OfferWindow(handle ? handle->OfferedWindow() : nullptr);
}

void RawPrintJob::WriteThrough(const void* bytes, std::int32_t count) {
    const char* data = static_cast<const char*>(bytes);
    ThrowIfStopped();
    if (!handle_)
        throw Exception("no print job @ WriteData");
    Spooler& owner = handle_->Owner();
    do {
        std::int32_t written = 0;
        if (!owner.WritePrinter(handle_, data, count, written) || written < 0 || written > count ||
            (written == 0 && count > 0)) {
            const std::string& cause =
                owner.LastErrorCause().empty() ? refusedCause_ : owner.LastErrorCause();
            throw Exception("WritePrinter() API failed @ WriteData" +
                            (cause.empty() ? std::string() : ": " + cause));
        }
        data += written;
        count -= written;
    } while (count > 0);
}

void RawPrintJob::EndPage() {
    spooler_.EndPagePrinter(handle_);
}

void RawPrintJob::EndJob() {
    PrinterHandle handle = handle_;
    SetHandle(nullptr); // no job is open after this, whatever the spooler does
    bool delivered = false;
    try {
        spooler_.EndPagePrinter(handle);
        delivered = spooler_.EndDocPrinter(handle);
    } catch (...) {
        CloseQuietly(handle);
        throw;
    }
    // A document the spooler could not complete did not print: say so
    // rather than let the listing pass as printed.
    const std::string failure = Failure("EndDocPrinter() API failed @ EndJob");
    spooler_.ClosePrinter(handle);
    if (handle && !delivered)
        throw Exception(failure);
}

void RawPrintJob::AbortJob() {
    if (!handle_)
        return;
    PrinterHandle handle = handle_;
    SetHandle(nullptr);
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

} // namespace zl
