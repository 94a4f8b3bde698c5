// The command line of zellist.
#pragma once

#include "engine/PageGeometry.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zl::cli {

// A command line that cannot be used; the message names the option.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CliSettings {
    enum class Action { Print, ListPrinters, DescribePrinter, Help, Version };
    Action action = Action::Print;

    std::vector<std::string> files;
    std::optional<std::string> printer;
    std::optional<int> printerIndex;
    std::optional<std::string> output;
    std::string describedPrinter;

    PageFlags page;           // compressed, landscape, 6 or 8 lpi
    bool linePrinter = false; // the font
    bool noIbm = false;       // Roman-8 symbol set
    int barHeight = 2;
};

// Reads the arguments after the program name; raises UsageError.
CliSettings ParseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsage;

} // namespace zl::cli
