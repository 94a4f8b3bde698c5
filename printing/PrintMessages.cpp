#include "printing/PrintMessages.h"

namespace zl {

namespace {

// The words of a job's failed steps; the printer's name follows the open's
// words, in quotes.
constexpr char kOpenWords[] = "OpenPrinter()=False @ StartJob with PrinterName:'";
constexpr char kPrinterNameEnd = '\'';
constexpr char kWriteWords[] = "WritePrinter() API failed @ WriteData";
constexpr char kFinishWords[] = "EndDocPrinter() API failed @ EndJob";
constexpr char kCauseSeparator[] = ": ";

std::string WithCause(const std::string& text, const std::string& cause) {
    return cause.empty() ? text : text + kCauseSeparator + cause;
}

} // namespace

std::string FailureMessage(PrintStep step, const std::string& printer, const std::string& cause) {
    switch (step) {
    case PrintStep::Open:
        return WithCause(kOpenWords + printer + kPrinterNameEnd, cause);
    // A refused document shows at the job's first write.
    case PrintStep::StartDocument:
    case PrintStep::Write:
        return WithCause(kWriteWords, cause);
    case PrintStep::Finish:
        return WithCause(kFinishWords, cause);
    case PrintStep::DriverJob:
        return WithCause(printer.empty() ? "cannot print through a driver"
                                         : "cannot print on '" + printer + "' through its driver",
                         cause);
    default:
        return cause.empty() ? "the print system gave no reason" : cause;
    }
}

} // namespace zl
