// Standard input as one of zellist's inputs: "-" on the command line, or no
// FILE at all. It is listed as a file is, under the title the command line
// gives, else "(standard input)".
#pragma once

#include "cli/CommandLine.h"
#include "engine/InputSource.h"

#include <memory>
#include <string>

namespace zl::cli {

// The FILE that stands for standard input.
constexpr const char* kStandardInputArgument = "-";
// What the page header and the messages call standard input without a title.
constexpr const char* kStandardInputTitle = "(standard input)";

bool IsStandardInput(const std::string& file);

// The opener of zellist's listings: standard input for "-", else the file.
std::unique_ptr<InputSource> OpenInput(const std::string& path);

// True when the process's standard input is a terminal.
bool StandardInputIsTerminal();

// Raises UsageError when `settings` would list standard input while it is a
// terminal (`isTerminal`): zellist lists text sent to it, not typed; or while
// the program was started with it closed (`closed`).
void RequireStandardInputNotTerminal(const CliSettings& settings, bool isTerminal,
                                     bool closed = false);

} // namespace zl::cli
