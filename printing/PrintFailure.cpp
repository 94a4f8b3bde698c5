#include "printing/PrintFailure.h"

#include "printing/PrintMessages.h"

namespace zl {

PrintFailure::PrintFailure(PrintStep step, std::string cause, std::string printer,
                           bool serverSilent)
    : Exception(FailureMessage(step, printer, cause)), step_(step), cause_(std::move(cause)),
      printer_(std::move(printer)), serverSilent_(serverSilent) {}

} // namespace zl
