#include "printing/PrintMessages.h"

namespace zl {

namespace {

std::string WithCause(const std::string& text, const std::string& cause) {
    return cause.empty() ? text : text + ": " + cause;
}

} // namespace

std::string FailureMessage(PrintStep step, const std::string& printer, const std::string& cause) {
    switch (step) {
    case PrintStep::Open:
        return WithCause("OpenPrinter()=False @ StartJob with PrinterName:'" + printer + "'",
                         cause);
    // A refused document shows at the job's first write.
    case PrintStep::StartDocument:
    case PrintStep::Write:
        return WithCause("WritePrinter() API failed @ WriteData", cause);
    case PrintStep::Finish:
        return WithCause("EndDocPrinter() API failed @ EndJob", cause);
    default:
        return cause.empty() ? "the print system gave no reason" : cause;
    }
}

} // namespace zl
