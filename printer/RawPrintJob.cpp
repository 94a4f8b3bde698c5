#include "printer/RawPrintJob.h"

#include "platform/Interruption.h"
#include "printing/PrintMessages.h"

namespace zl {

RawPrintJob::~RawPrintJob() {
    AbortJob();
}

void RawPrintJob::StartJob(const std::string& printerName, const std::string& docName,
                           DataType dataType) {
    if (open_)
        throw Exception(kStartJobTwiceMessage);
    jobId_ = 0;
    refusedCause_.clear();
    try {
        job_ = service_.OpenJob(printerName, docName, dataType);
        jobId_ = job_->Id();
    } catch (const PrintFailure& failure) {
        // A refused document shows at the first write, which then fails.
        if (failure.Step() != PrintStep::StartDocument)
            throw;
        refusedCause_ = failure.Cause();
    }
    open_ = true;
    OfferWindow(job_ ? job_->OfferedWindow() : nullptr);
}

void RawPrintJob::WriteThrough(const void* bytes, std::int32_t count) {
    const char* data = static_cast<const char*>(bytes);
    ThrowIfStopped();
    if (!open_)
        throw Exception(kNoPrintJobMessage);
    if (!job_)
        throw PrintFailure(PrintStep::Write, refusedCause_);
    do {
        const std::size_t taken =
            job_->Write(data, count > 0 ? static_cast<std::size_t>(count) : 0);
        if (taken > static_cast<std::size_t>(count) || (taken == 0 && count > 0))
            throw PrintFailure(PrintStep::Write, "");
        data += taken;
        count -= static_cast<std::int32_t>(taken);
    } while (count > 0);
}

std::unique_ptr<PrintJob> RawPrintJob::Close() {
    open_ = false;
    OfferWindow(nullptr);
    return std::move(job_);
}

void RawPrintJob::EndJob() {
    const bool refused = open_ && !job_;
    // No job is open after this, whatever the print system does; an
    // unfinished job is cancelled as it goes.
    const std::unique_ptr<PrintJob> job = Close();
    // A document the printer could not complete did not print: say so
    // rather than let the listing pass as printed.
    if (job)
        job->Finish();
    else if (refused)
        throw PrintFailure(PrintStep::Finish, refusedCause_);
}

void RawPrintJob::AbortJob() {
    const std::unique_ptr<PrintJob> job = Close();
    if (!job)
        return;
    // Runs on failure paths: nothing here may hide the failure being reported.
    try {
        job->Cancel();
    } catch (...) {
    }
}

} // namespace zl
