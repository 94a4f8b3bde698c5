// The command line of zellist.
#pragma once

#include "engine/ListingOptions.h"
#include "engine/PageGeometry.h"

#include <cstddef>
#include <cstdint>
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
    enum class Action { Print, ListPrinters, DescribePrinter, ListLanguages, Help, Version };
    Action action = Action::Print;

    std::vector<std::string> files; // "-" is standard input; none given: "-"
    std::optional<std::string> printer;
    std::optional<int> printerIndex;
    std::optional<std::string> output;
    std::string describedPrinter;

    ListingOptions listing;     // the page options
    std::string paper;          // a PDF's paper by name; empty: the locale's
    bool driver = false;        // drawn through the printer's driver, not raw PCL
    bool quiet = false;         // no word on standard error after each listing
    int queueWaitSeconds = 600; // for room in a print server's full queue
};

// Reads the arguments after the program name; raises UsageError, also when
// --output names one of the input files (or a link to one), and when
// --title comes with more than one input.
CliSettings ParseCommandLine(const std::vector<std::string>& args);

// The same for the arguments as a program gets them, its own name first.
CliSettings ParseProgramArguments(const std::vector<std::string>& arguments);

// True for listings drawn with Qt by zellist-draw: PDF output or --driver.
bool IsDrawn(const CliSettings& settings);

// True when `output` names a PDF file: it ends in ".pdf", in any case.
bool IsPdfName(const std::string& output);

// The PDF file of input number `index` (from 0) when the output is the PDF
// `output`: "x.pdf", then "x-2.pdf", "x-3.pdf" ...
std::string PdfOutputName(const std::string& output, std::size_t index);

// The seconds since 1970 that SOURCE_DATE_EPOCH holds; raises UsageError
// unless they lie in the years 1970 to 9999.
std::int64_t SourceDateEpoch(const std::string& text);

// The text of --help; `drawing`: with the PDF output, --driver and --paper,
// which only a build with the renderer has.
std::string Usage(bool drawing);

} // namespace zl::cli
