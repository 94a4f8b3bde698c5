#include "cli/CommandLine.h"

#include "cli/PclPaper.h"
#include "cli/StandardInput.h"
#include "engine/CharacterSets.h"
#include "engine/InputDecoder.h"
#include "platform/Papers.h"
#include "platform/SystemText.h"
#include "printing/PclFileService.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace zl::cli {

namespace {

// The help text in parts: those of every build, and after some of them
// what a build that draws listings (PDF and --driver) adds.
const char* const kUsageStart = R"(Usage: zellist [OPTIONS] [FILE...]
Prints text files as greenbar listings on a PCL printer, one job per file.
With no FILE, or where FILE is -, it lists standard input.

  -P, --printer NAME     print on this printer (default: the default printer)
      --printer-index N  print on entry N of the installed printer list
      --queue-wait SECONDS   how long a listing waits for room when the
                         print server's queue is full (default 600; 0:
                         it fails at once)
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
)";

// What the listing asks of the printer.
const char* const kUsageRequests =
    R"(      --paper NAME       the paper the printer is asked for: letter, legal
                         or a4 (default: the printer's)
)";

const char* const kUsageDrawnPaper =
    R"(                         A PDF or a --driver listing is drawn on that
                         paper, or on executive, a5 or b5 (default: for a
                         PDF the locale's paper, else letter)
)";

const char* const kUsageCopiesToPages =
    R"(  -n, --copies N         copies of each listing, 1 to 999 (default: the
                         printer's)
      --duplex long|short|off   print on both sides of the sheet, turned
                         on the long or the short edge, or on one side
                         (default: the printer's)
      --tray N           the paper source by its PCL number, 1 to 69:
                         1 main tray, 4 lower tray, 2 manual feed,
                         7 automatic selection (default: the printer's)
      --pages LIST       only these pages of each listing, as it counts
                         them (a form feed starts a page): 3-5,9 or 7-
)";

const char* const kUsageDrawnRequests =
    R"(
With --driver, --copies, --duplex, --paper and --tray become the job's
copies, sides, media and tray (the printer's tray that the PCL number
selects); a PDF has no copies, sides or trays and leaves them out.
)";

const char* const kUsageEnd = R"usage(      --landscape        landscape (default portrait)
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
      --symbol-sets LIST   the printer's symbol sets that print what the
                         listing's own lacks, tried in order: none, or
                         PCL IDs of 10U PC-8, 8U Roman-8, 19U Windows
                         Latin 1, 9E Windows Latin 2, 5N Latin 5 (default:
                         the other of 10U and 8U, then 19U,9E,5N)
      --download-font on|off   characters none of the sets has (Cyrillic,
                         Greek, ...) from a font the listing downloads,
                         drawn like the listing's face, up to 190
                         different ones a listing (default on); off
                         prints them as ?
      --control-chars show|raw   the files' control characters (ESC
                         among them; not line ends, form feed or TAB):
                         printed as ^[ and the like (default), or sent to
                         the printer as they are, printer commands and all
      --title TEXT       the name the page header shows instead of the
                         file's, for one input only; standard input's is
                         "(standard input)" without it
  -q, --quiet            no "NAME: 12 pages on PRINTER" line on standard
                         error after each listing
      --list-printers    the installed printers in order, the default marked
      --describe-printer NAME   the paper forms and bins of printer NAME
  -h, --help             this text
      --version          the version
)usage";

const char* const kUsageNotes = R"usage(
The listing date is the local time, or SOURCE_DATE_EPOCH when it is set.
Exit status: 0 all printed, 1 a file failed (the rest not printed), 2 usage,
128 + N stopped by signal N.
)usage";

} // namespace

std::string Usage(bool drawing) {
    const auto drawn = [drawing](const char* text) { return drawing ? text : ""; };
    return std::string(kUsageStart) + drawn(kUsageDrawing) + kUsageRequests +
           drawn(kUsageDrawnPaper) + kUsageCopiesToPages + kUsageEnd + drawn(kUsageDrawnRequests) +
           kUsageNotes;
}

namespace {

// The usage error for a value `text` of `option` that is not `expected`
// ("SOURCE_DATE_EPOCH: 'x' is not a number of seconds").
UsageError BadValue(const std::string& option, const std::string& text,
                    const std::string& expected) {
    return UsageError(option + ": '" + text + "' is not " + expected);
}

int ParseInt(const std::string& option, const std::string& text, int low, int high) {
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || value < low || value > high)
        throw BadValue(option, text,
                       "a number from " + std::to_string(low) + " to " + std::to_string(high));
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
    throw BadValue(option, text, list);
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
            if (IsStandardInput(file))
                continue;
            std::error_code error; // a file that does not exist is no input's
            if (std::filesystem::equivalent(PathOfUtf8(output), PathOfUtf8(file), error))
                throw UsageError("--output: '" + output + "' is the input file '" + file + "'");
        }
    }
}

} // namespace

CliSettings ParseProgramArguments(const std::vector<std::string>& arguments) {
    return ParseCommandLine(arguments.empty()
                                ? arguments
                                : std::vector<std::string>(arguments.begin() + 1, arguments.end()));
}

bool IsDrawn(const CliSettings& settings) {
    return settings.driver || (settings.output && IsPdfName(*settings.output));
}

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
        throw BadValue("SOURCE_DATE_EPOCH", text, "a number of seconds");
    if (errno == ERANGE || seconds < 0 || seconds >= kYear10000)
        throw BadValue("SOURCE_DATE_EPOCH", text,
                       "a time in the years 1970 to 9999 (0 to 253402300799)");
    return seconds;
}

namespace {

using SetFlag = void (*)(CliSettings& s);
// `option` is the long name, for messages about the value.
using SetValue = void (*)(CliSettings& s, const std::string& option, const std::string& value);

// One option of the command line: its long name, its one-letter name ('\0'
// for none) and what it sets, either without a value or with one.
struct Option {
    const char* longName;
    char shortName;
    SetFlag setFlag;
    SetValue setValue;
};

constexpr Option Flag(const char* longName, char shortName, SetFlag set) {
    return {longName, shortName, set, nullptr};
}

constexpr Option Valued(const char* longName, char shortName, SetValue set) {
    return {longName, shortName, nullptr, set};
}

using Action = CliSettings::Action;

const Option kOptions[] = {
    Valued("--printer", 'P',
           [](CliSettings& s, const std::string&, const std::string& value) { s.printer = value; }),
    Valued("--printer-index", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.printerIndex = ParseInt(option, value, 0, 1 << 30);
           }),
    Valued("--queue-wait", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.queueWaitSeconds = ParseInt(option, value, 0, 86400);
           }),
    Valued("--output", 'o',
           [](CliSettings& s, const std::string&, const std::string& value) { s.output = value; }),
    Valued("--describe-printer", 0,
           [](CliSettings& s, const std::string&, const std::string& value) {
               s.action = Action::DescribePrinter;
               s.describedPrinter = value;
           }),
    Valued("--lpi", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.sixLpi = Choice(option, value, {"6", "8"}) == "6";
           }),
    Valued("--font", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.linePrinter =
                   Choice(option, value, {"courier", "lineprinter"}) == "lineprinter";
           }),
    Valued("--charset", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.roman8 = Choice(option, value, {"ibm", "roman8"}) == "roman8";
           }),
    Valued("--bar-height", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.barHeight = ParseInt(option, value, 1, 6);
           }),
    Valued("--tab-size", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.tabSize = ParseInt(option, value, 0, 16);
           }),
    Valued("--paper", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               if (!PaperNamed(value))
                   throw BadValue(option, value, "letter, a4, legal, executive, a5 or b5");
               s.paper = value;
           }),
    Valued("--copies", 'n',
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.requests.copies = ParseInt(option, value, 1, 999);
           }),
    Valued("--duplex", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               const std::string sides = Choice(option, value, {"long", "short", "off"});
               s.listing.requests.sides = sides == "long"    ? Sides::LongEdge
                                          : sides == "short" ? Sides::ShortEdge
                                                             : Sides::OneSided;
           }),
    Valued("--tray", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.requests.paperSource = ParseInt(option, value, 1, 69);
           }),
    Valued("--pages", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               const std::optional<PageSelection> pages = PageSelection::Parse(value);
               if (!pages)
                   throw BadValue(option, value, "a list of pages such as 3-5,9 or 7-");
               s.listing.pages = *pages;
           }),
    Valued("--control-chars", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.showControlChars = Choice(option, value, {"show", "raw"}) == "show";
           }),
    Valued("--input-encoding", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               if (!InputDecoder::Make(value))
                   throw BadValue(option, value, "auto, raw or a character set this system knows");
               s.listing.inputEncoding = value;
           }),
    Valued("--symbol-sets", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               if (!OtherSymbolSets(value, SymbolSet::Pc8) || value.empty()) {
                   std::string known;
                   for (const SymbolSetInfo& set : KnownSymbolSets())
                       known += (known.empty() ? "" : ", ") + std::string(set.pclId);
                   throw BadValue(option, value, "none or a list such as 19U,9E of " + known);
               }
               s.listing.symbolSets = value;
           }),
    Valued("--download-font", 0,
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.downloadFont = Choice(option, value, {"on", "off"}) == "on";
           }),
    Valued("--title", 0,
           [](CliSettings& s, const std::string&, const std::string& value) {
               s.listing.title = value;
           }),
    Flag("--landscape", 0, [](CliSettings& s) { s.listing.landscape = true; }),
    Flag("--no-compressed", 0, [](CliSettings& s) { s.listing.compressed = false; }),
    Flag("--no-bars", 0, [](CliSettings& s) { s.listing.printBars = false; }),
    Flag("--driver", 0, [](CliSettings& s) { s.driver = true; }),
    Flag("--quiet", 'q', [](CliSettings& s) { s.quiet = true; }),
    Flag("--list-printers", 0, [](CliSettings& s) { s.action = Action::ListPrinters; }),
    Flag("--help", 'h', [](CliSettings& s) { s.action = Action::Help; }),
    Flag("--version", 0, [](CliSettings& s) { s.action = Action::Version; }),
};

// The option that `name` ("--printer" or "-P") names; null for none.
const Option* FindOption(const std::string& name) {
    for (const Option& option : kOptions) {
        if (name == option.longName ||
            (option.shortName && name.size() == 2 && name[0] == '-' && name[1] == option.shortName))
            return &option;
    }
    return nullptr;
}

// An option as it was written: its name, and the value written into the
// same argument ("--lpi=6", "-Palpha"), if any.
struct WrittenOption {
    std::string name;
    std::optional<std::string> value;
};

WrittenOption SplitOption(const std::string& arg) {
    if (arg.compare(0, 2, "--") == 0) {
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos)
            return {arg, std::nullopt};
        return {arg.substr(0, equals), arg.substr(equals + 1)};
    }
    if (arg.size() > 2)
        return {arg.substr(0, 2), arg.substr(2)};
    return {arg, std::nullopt};
}

// Applies the option args[at] to `s`; a value not written into it is the
// next argument. Returns the index of the last argument it used.
std::size_t ApplyOption(const std::vector<std::string>& args, std::size_t at, CliSettings& s) {
    const WrittenOption written = SplitOption(args[at]);
    const Option* option = FindOption(written.name);
    if (!option)
        throw UsageError(args[at] + ": unknown option");
    const std::string name = option->longName;
    if (option->setFlag) {
        if (written.value)
            throw UsageError(name + ": takes no value");
        option->setFlag(s);
        return at;
    }
    if (written.value) {
        option->setValue(s, name, *written.value);
        return at;
    }
    if (at + 1 >= args.size())
        throw UsageError(name + ": needs a value");
    option->setValue(s, name, args[at + 1]);
    return at + 1;
}

// Raises UsageError for options that do not go together.
void RequireOptionsThatGoTogether(const CliSettings& s) {
    if (s.printer && s.printerIndex)
        throw UsageError("--printer and --printer-index: give only one of them");
    if (s.output && (s.printer || s.printerIndex))
        throw UsageError("--output: prints to a file, not to a printer");
    if (s.driver && s.output)
        throw UsageError("--driver: prints on a printer, not into --output");
    if (s.driver && s.printerIndex)
        throw UsageError("--driver: takes its printer by name (-P NAME)");
    if (s.driver && s.printer && *s.printer == PclFileService::kPrinterName)
        throw UsageError(std::string("--driver: '") + PclFileService::kPrinterName +
                         "' takes raw PCL only");
    if (!s.listing.title.empty() && s.files.size() > 1)
        throw UsageError("--title: names the header of one input, not of " +
                         std::to_string(s.files.size()));
}

} // namespace

CliSettings ParseCommandLine(const std::vector<std::string>& args) {
    CliSettings s;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
            s.files.push_back(arg);
        else if (arg == "--")
            optionsEnded = true;
        else
            i = ApplyOption(args, i, s);
    }
    if (s.action == Action::Print && s.files.empty())
        s.files.push_back(kStandardInputArgument);
    RequireOptionsThatGoTogether(s);
    RequireOutputApartFromInputs(s);
    // A drawn listing takes its paper from --paper itself; a PCL listing
    // asks the printer for it.
    const bool drawn = s.driver || (s.output && IsPdfName(*s.output));
    if (s.action == Action::Print && !s.paper.empty() && !drawn)
        s.listing.requests.paper = PclPaperRequest(s.paper, s.listing);
    // The Line Printer face needs compressed pitch.
    if (CourierForced(s.listing.compressed))
        s.listing.linePrinter = false;
    return s;
}

} // namespace zl::cli
