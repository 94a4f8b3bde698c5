#include "printing/PrintMessages.h"

namespace zl {

namespace {

// The words of a job's failed steps; the printer's name follows the open's
// words, closed by a quote.
constexpr char kOpenWords[] = "OpenPrinter()=False @ StartJob with PrinterName:'";
constexpr char kPrinterNameEnd = '\'';
constexpr char kWriteWords[] = "WritePrinter() API failed @ WriteData";
constexpr char kFinishWords[] = "EndDocPrinter() API failed @ EndJob";
constexpr char kCauseSeparator[] = ": ";

std::string WithCause(const std::string& text, const std::string& cause) {
    return cause.empty() ? text : text + kCauseSeparator + cause;
}

// What follows `start` in `text`; nullopt when `text` does not begin with it.
std::optional<std::string> After(const std::string& text, const std::string& start) {
    if (text.compare(0, start.size(), start) != 0)
        return std::nullopt;
    return text.substr(start.size());
}

// `message` after `words`: nothing, or the separator and the cause.
std::optional<FailedJobStep> ReadAfterWords(const std::string& message, const char* words,
                                            PrintStep step) {
    const std::optional<std::string> rest = After(message, words);
    if (!rest)
        return std::nullopt;
    if (rest->empty())
        return FailedJobStep{step, {}, {}};
    const std::optional<std::string> cause = After(*rest, kCauseSeparator);
    if (!cause)
        return std::nullopt;
    return FailedJobStep{step, {}, *cause};
}

// `message` after the open's words: the printer up to the first quote and
// separator, then the cause; or, without a cause, the printer up to the
// closing quote at the end.
std::optional<FailedJobStep> ReadOpenFailure(const std::string& message) {
    const std::optional<std::string> rest = After(message, kOpenWords);
    if (!rest)
        return std::nullopt;
    const std::string nameEnd = kPrinterNameEnd + std::string(kCauseSeparator);
    const std::size_t end = rest->find(nameEnd);
    if (end != std::string::npos)
        return FailedJobStep{PrintStep::Open, rest->substr(0, end),
                             rest->substr(end + nameEnd.size())};
    if (rest->empty() || rest->back() != kPrinterNameEnd)
        return std::nullopt;
    return FailedJobStep{PrintStep::Open, rest->substr(0, rest->size() - 1), {}};
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
    default:
        return cause.empty() ? "the print system gave no reason" : cause;
    }
}

std::optional<FailedJobStep> ReadJobFailure(const std::string& message) {
    if (auto open = ReadOpenFailure(message))
        return open;
    if (auto write = ReadAfterWords(message, kWriteWords, PrintStep::Write))
        return write;
    return ReadAfterWords(message, kFinishWords, PrintStep::Finish);
}

} // namespace zl
