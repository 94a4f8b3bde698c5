#include "printing/PrintFailure.h"

#include "platform/FileWriting.h"
#include "printing/PrintMessages.h"

namespace zl {

FailureCause FailureCause::OfSystemError(int code) {
    return FailureCause(CauseKind::SystemError, ErrorText(code), {}, code);
}

PrintFailure::PrintFailure(PrintStep step, FailureCause cause, std::string printer,
                           bool serverSilent)
    : Exception(FailureMessage(step, printer, cause.words)), step_(step), cause_(std::move(cause)),
      printer_(std::move(printer)), serverSilent_(serverSilent) {}

} // namespace zl
