// The texts the user reads about printing, together. The job's failures keep
// the words of the Windows spooler calls they were first written for, so
// those names appear in code only here and in the Windows backend. They are
// made from a failure's fields, and never read back.
#pragma once

#include "printing/PrintFailure.h"

#include <string>

namespace zl {

constexpr const char* kStartJobTwiceMessage = "StartJob already called @ StartJob";
constexpr const char* kNoPrintJobMessage = "no print job @ WriteData";
constexpr const char* kNoDefaultPrinterMessage = "There is no default printer currently selected";
constexpr const char* kPrinterIndexMessage = "Printer index out of range";

// What a failure of `step` on `printer` says, its cause appended.
std::string FailureMessage(PrintStep step, const std::string& printer, const std::string& cause);

} // namespace zl
