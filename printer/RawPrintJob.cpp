#include "printer/RawPrintJob.h"

#include "platform/Interruption.h"
#include "printing/PrintMessages.h"

#include <cstring>
#include <utility>

namespace zl {

RawPrintJob::~RawPrintJob() {
    AbortJob();
}

void RawPrintJob::StartJob(const std::string& printerName, const std::string& docName,
                           DataType dataType) {
    if (open_)
        throw Exception(kStartJobTwiceMessage);
    jobId_ = 0;
    broken_ = false;
    brokenCause_ = {};
    gathered_ = 0;
    try {
        job_ = service_.OpenJob(printerName, docName, dataType);
        jobId_ = job_->Id();
    } catch (const PrintFailure& failure) {
        // A refused document shows at the first write, which then fails.
        if (failure.Step() != PrintStep::StartDocument)
            throw;
        broken_ = true;
        brokenCause_ = failure.Reason();
    }
    open_ = true;
}

void RawPrintJob::Write(const void* bytes, std::int32_t count) {
    ThrowIfStopped();
    if (!open_)
        throw Exception(kNoPrintJobMessage);
    if (broken_)
        throw PrintFailure(PrintStep::Write, brokenCause_);
    if (count <= 0)
        return;
    const char* data = static_cast<const char*>(bytes);
    const auto size = static_cast<std::size_t>(count);
    if (size > buffer_.size() - gathered_)
        Flush();
    if (size >= buffer_.size()) { // as large as the buffer: no use gathering it
        Deliver(data, size);
        return;
    }
    std::memcpy(buffer_.data() + gathered_, data, size);
    gathered_ += size;
}

void RawPrintJob::Flush() {
    const std::size_t gathered = gathered_;
    gathered_ = 0;
    Deliver(buffer_.data(), gathered);
}

void RawPrintJob::Deliver(const char* data, std::size_t count) {
    try {
        while (count > 0) {
            const std::size_t taken = job_->Write(data, count);
            if (taken == 0 || taken > count)
                throw PrintFailure(PrintStep::Write, "");
            data += taken;
            count -= taken;
        }
    } catch (const PrintFailure& failure) {
        broken_ = true;
        brokenCause_ = failure.Reason();
        throw;
    } catch (...) {
        broken_ = true;
        throw;
    }
}

std::unique_ptr<PrintJob> RawPrintJob::Close() {
    open_ = false;
    gathered_ = 0;
    return std::move(job_);
}

void RawPrintJob::EndJob() {
    if (!open_)
        return;
    try {
        if (!broken_)
            Flush();
    } catch (const PrintFailure&) {
        // The job is broken now: it fails below, with the cause.
    } catch (...) {
        Close();
        throw;
    }
    // No job is open after this, whatever the print system does; an
    // unfinished job is cancelled as it goes.
    const std::unique_ptr<PrintJob> job = Close();
    // A document without all its bytes, or that the printer could not
    // complete, did not print: say so rather than let it pass as printed.
    if (broken_)
        throw PrintFailure(PrintStep::Finish, brokenCause_);
    job->Finish();
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
