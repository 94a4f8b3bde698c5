#include "printing/DocumentJob.h"

namespace zl {

void DocumentJob::Begin(const std::string& documentName, DataType type) {
    cause_ = {};
    failed_ = false;
    id_ = DoBegin(documentName, type);
    inDocument_ = id_ != 0;
    if (!inDocument_)
        throw PrintFailure(PrintStep::StartDocument, cause_);
}

std::size_t DocumentJob::Write(const char* data, std::size_t count) {
    // A failed delivery is sticky: the writes after it fail with its cause.
    if (!inDocument_ || failed_)
        throw PrintFailure(PrintStep::Write, cause_);
    if (count > 0 && !Deliver(data, count)) {
        failed_ = true;
        throw PrintFailure(PrintStep::Write, cause_);
    }
    return count;
}

void DocumentJob::Finish() {
    if (!inDocument_)
        throw PrintFailure(PrintStep::Finish, cause_);
    inDocument_ = false;
    if (!DoFinish(!failed_))
        throw PrintFailure(PrintStep::Finish, cause_);
}

void DocumentJob::Cancel() {
    if (!CancelUnfinished())
        throw PrintFailure(PrintStep::Cancel, cause_);
}

bool DocumentJob::CancelUnfinished() {
    if (!inDocument_)
        return true;
    inDocument_ = false;
    return DoCancel();
}

} // namespace zl
