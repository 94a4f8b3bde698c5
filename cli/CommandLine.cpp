#include "cli/CommandLine.h"

#include "engine/InputDecoder.h"
#include "platform/FileSpooler.h"
#include "render/PageModel.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

namespace zl::cli {

namespace {

// The help text in three parts: the options of every build, those of a
// build that draws listings (PDF and --driver), and the rest.
const char* const kUsageStart = R"(Usage: zellist [OPTIONS] FILE...
Prints text files as greenbar listings on a PCL printer, one job per file.

  -P, --printer NAME     print on this printer (default: the default printer)
      --printer-index N  print on entry N of the installed printer list
  -o, --output FILE      write the PCL stream to FILE instead of printing
                         (several inputs: their jobs one after another;
                         "-" is standard output)
)";

const char* const kUsageDrawing =
    R"(                         A FILE ending in .pdf gets one PDF for each
                         input instead: FILE, then NAME-2.pdf, NAME-3.pdf
                         ... beside it.
      --driver           draw the listing and print it through the printer's
                         driver instead of sending it raw PCL: for printers
                         that do not speak PCL (inkjets, IPP Everywhere
                         printers); not with -o or PCL File
      --paper NAME       the paper of a PDF or a --driver listing: letter,
                         a4, legal, executive, a5 or b5 (default: for a PDF
                         the locale's paper, else letter; for --driver the
                         printer's)
)";

const char* const kUsageEnd = R"(      --landscape        landscape (default portrait)
      --lpi 6|8          lines per inch (default 8)
      --font courier|lineprinter   (default courier)
      --no-compressed    10 cpi instead of 16.67 cpi (forces courier)
      --charset ibm|roman8          (default ibm)
      --bar-height N     1 to 6 (default 2)
      --no-bars          no greenbar shading
      --tab-size N       tab stops every N columns, 1 to 16 (default 8);
                         0 makes TAB a control character like the others
      --input-encoding auto|raw|NAME   how the files' characters are read:
                         UTF-8 (default), every byte as it is, or a
                         character set such as latin1 or cp1252
      --control-chars show|raw   the files' control characters (ESC
                         among them; not line ends, form feed or TAB):
                         printed as ^[ and the like (default), or sent to
                         the printer as they are, printer commands and all
      --list-printers    the installed printers in order, the default marked
      --describe-printer NAME   the paper forms and bins of printer NAME
  -h, --help             this text
      --version          the version

The listing date is the local time, or SOURCE_DATE_EPOCH when it is set.
Exit status: 0 all printed, 1 a file failed (the rest not printed), 2 usage,
128 + N stopped by signal N.
)";

} // namespace

std::string Usage(bool drawing) {
    return std::string(kUsageStart) + (drawing ? kUsageDrawing : "") + kUsageEnd;
}

namespace {

int ParseInt(const std::string& option, const std::string& text, int low, int high) {
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || value < low || value > high)
        throw UsageError(option + ": '" + text + "' is not a number from " + std::to_string(low) +
                         " to " + std::to_string(high));
    return static_cast<int>(value);
}

// One of `choices`, ignoring nothing: the value as typed.
std::string Choice(const std::string& option, const std::string& text,
                   const std::vector<std::string>& choices) {
    for (const std::string& choice : choices) {
        if (text == choice)
            return text;
    }
    std::string list;
    for (const std::string& choice : choices)
        list += (list.empty() ? "" : " or ") + choice;
    throw UsageError(option + ": '" + text + "' is not " + list);
}

// Raises UsageError when an output file is one of the input files: writing
// it would destroy the input before it is read. "-" is standard output; a
// PDF output is one file for each input.
void RequireOutputApartFromInputs(const CliSettings& s) {
    if (!s.output || *s.output == "-")
        return;
    const std::size_t outputs = IsPdfName(*s.output) ? s.files.size() : 1;
    for (std::size_t i = 0; i < outputs; ++i) {
        const std::string output = IsPdfName(*s.output) ? PdfOutputName(*s.output, i) : *s.output;
        for (const std::string& file : s.files) {
            std::error_code error; // a file that does not exist is no input's
            if (std::filesystem::equivalent(output, file, error))
                throw UsageError("--output: '" + output + "' is the input file '" + file + "'");
        }
    }
}

} // namespace

bool IsPdfName(const std::string& output) {
    static const std::string kExtension = ".pdf";
    return output.size() > kExtension.size() &&
           std::equal(kExtension.rbegin(), kExtension.rend(), output.rbegin(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

std::string PdfOutputName(const std::string& output, std::size_t index) {
    if (index == 0)
        return output;
    const std::size_t dot = output.size() - 4; // the ".pdf" as typed
    return output.substr(0, dot) + "-" + std::to_string(index + 1) + output.substr(dot);
}

std::int64_t SourceDateEpoch(const std::string& text) {
    constexpr long long kYear10000 = 253402300800; // 10000-01-01 00:00:00 UTC
    errno = 0;
    char* end = nullptr;
    const long long seconds = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0')
        throw UsageError("SOURCE_DATE_EPOCH: '" + text + "' is not a number of seconds");
    if (errno == ERANGE || seconds < 0 || seconds >= kYear10000)
        throw UsageError("SOURCE_DATE_EPOCH: '" + text +
                         "' is not a time in the years 1970 to 9999 (0 to 253402300799)");
    return seconds;
}

CliSettings ParseCommandLine(const std::vector<std::string>& args) {
    CliSettings s;
    using Handler = std::function<void(const std::string&)>;
    // Options that take a value, under their long names.
    const std::map<std::string, Handler> valued = {
        {"--printer", [&](const std::string& v) { s.printer = v; }},
        {"--printer-index",
         [&](const std::string& v) {
             s.printerIndex = ParseInt("--printer-index", v, 0, 1 << 30);
         }},
        {"--output", [&](const std::string& v) { s.output = v; }},
        {"--describe-printer",
         [&](const std::string& v) {
             s.action = CliSettings::Action::DescribePrinter;
             s.describedPrinter = v;
         }},
        {"--lpi",
         [&](const std::string& v) {
             s.page.sixLpi = Choice("--lpi", v, {"6", "8"}) == "6";
         }},
        {"--font",
         [&](const std::string& v) {
             s.linePrinter = Choice("--font", v, {"courier", "lineprinter"}) == "lineprinter";
         }},
        {"--charset",
         [&](const std::string& v) {
             s.noIbm = Choice("--charset", v, {"ibm", "roman8"}) == "roman8";
         }},
        {"--bar-height",
         [&](const std::string& v) { s.barHeight = ParseInt("--bar-height", v, 1, 6); }},
        {"--tab-size", [&](const std::string& v) { s.tabSize = ParseInt("--tab-size", v, 0, 16); }},
        {"--paper",
         [&](const std::string& v) {
             render::PaperSize paper;
             if (!render::PaperSize::Named(v, paper))
                 throw UsageError("--paper: '" + v +
                                  "' is not letter, a4, legal, executive, a5 or b5");
             s.paper = v;
         }},
        {"--control-chars",
         [&](const std::string& v) {
             s.showControlChars = Choice("--control-chars", v, {"show", "raw"}) == "show";
         }},
        {"--input-encoding",
         [&](const std::string& v) {
             if (!InputDecoder::Make(v))
                 throw UsageError("--input-encoding: '" + v +
                                  "' is not auto, raw or a character set this system knows");
             s.inputEncoding = v;
         }},
    };
    const std::map<std::string, std::function<void()>> flags = {
        {"--landscape", [&] { s.page.landscape = true; }},
        {"--no-compressed", [&] { s.page.compressed = false; }},
        {"--no-bars", [&] { s.printBars = false; }},
        {"--driver", [&] { s.driver = true; }},
        {"--list-printers", [&] { s.action = CliSettings::Action::ListPrinters; }},
        {"--help", [&] { s.action = CliSettings::Action::Help; }},
        {"--version", [&] { s.action = CliSettings::Action::Version; }},
    };
    const std::map<std::string, std::string> shortNames = {
        {"-P", "--printer"}, {"-o", "--output"}, {"-h", "--help"}};

    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            s.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg, value;
        bool hasValue = false;
        if (arg.compare(0, 2, "--") == 0) {
            auto eq = arg.find('=');
            if (eq != std::string::npos) {
                name = arg.substr(0, eq);
                value = arg.substr(eq + 1);
                hasValue = true;
            }
        } else {
            name = arg.substr(0, 2);
            if (arg.size() > 2) { // -PNAME
                value = arg.substr(2);
                hasValue = true;
            }
        }
        if (auto alias = shortNames.find(name); alias != shortNames.end())
            name = alias->second;

        if (auto flag = flags.find(name); flag != flags.end()) {
            if (hasValue)
                throw UsageError(name + ": takes no value");
            flag->second();
        } else if (auto option = valued.find(name); option != valued.end()) {
            if (!hasValue) {
                if (i + 1 >= args.size())
                    throw UsageError(name + ": needs a value");
                value = args[++i];
            }
            option->second(value);
        } else {
            throw UsageError(arg + ": unknown option");
        }
    }
    if (s.printer && s.printerIndex)
        throw UsageError("--printer and --printer-index: give only one of them");
    if (s.output && (s.printer || s.printerIndex))
        throw UsageError("--output: prints to a file, not to a printer");
    if (s.driver && s.output)
        throw UsageError("--driver: prints on a printer, not into --output");
    if (s.driver && s.printerIndex)
        throw UsageError("--driver: takes its printer by name (-P NAME)");
    if (s.driver && s.printer && *s.printer == FileSpooler::kPrinterName)
        throw UsageError(std::string("--driver: '") + FileSpooler::kPrinterName +
                         "' takes raw PCL only");
    if (s.action == CliSettings::Action::Print && s.files.empty())
        throw UsageError("no FILE given");
    RequireOutputApartFromInputs(s);
    // The Line Printer face needs compressed pitch.
    if (CourierForced(s.page.compressed))
        s.linePrinter = false;
    return s;
}

} // namespace zl::cli
