// The texts the user reads about printing, together. The job's failures keep
// the words of the Windows spooler calls they were first written for, so
// those names appear in code only here and in the Windows backend.
#pragma once

#include "printing/PrintFailure.h"

#include <optional>
#include <string>

namespace zl {

constexpr const char* kStartJobTwiceMessage = "StartJob already called @ StartJob";
constexpr const char* kNoPrintJobMessage = "no print job @ WriteData";
constexpr const char* kNoDefaultPrinterMessage = "There is no default printer currently selected";
constexpr const char* kPrinterIndexMessage = "Printer index out of range";

// What a failure of `step` on `printer` says, its cause appended.
std::string FailureMessage(PrintStep step, const std::string& printer, const std::string& cause);

// A job's failure message read back: the step whose words it begins with,
// the printer it names (opening only) and the cause after them (empty: none).
struct FailedJobStep {
    PrintStep step;
    std::string printer;
    std::string cause;
};

// What FailureMessage wrote for a job's open, write or finish, taken apart;
// nullopt for any other text. A refused document reads as a failed write.
std::optional<FailedJobStep> ReadJobFailure(const std::string& message);

} // namespace zl
