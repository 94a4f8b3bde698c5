#include "cli/CommandLine.h"

#include "cli/PclPaper.h"
#include "cli/StandardInput.h"
#include "engine/CharacterSets.h"
#include "engine/InputDecoder.h"
#include "engine/SyntaxEmphasis.h"
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

// An option's lines of the help text after its names, split at '\n': those
// of every build, then those a build that draws listings (PDF and --driver)
// adds. An option with only the latter is shown only in such a build.
struct Help {
    const char* text;
    const char* drawingText = "";
};

// One option of the command line: its long name, its one-letter name ('\0'
// for none), what the help calls its value (null for an option without
// one), its help, and what it sets, either without a value or with one.
struct Option {
    const char* longName;
    char shortName;
    const char* valueName;
    Help help;
    SetFlag setFlag;
    SetValue setValue;
};

constexpr Option Flag(const char* longName, char shortName, Help help, SetFlag set) {
    return {longName, shortName, nullptr, help, set, nullptr};
}

constexpr Option Valued(const char* longName, char shortName, const char* valueName, Help help,
                        SetValue set) {
    return {longName, shortName, valueName, help, nullptr, set};
}

using Action = CliSettings::Action;

// In the order the help lists them.
const Option kOptions[] = {
    Valued("--printer", 'P', "NAME", {"print on this printer (default: the default printer)"},
           [](CliSettings& s, const std::string&, const std::string& value) { s.printer = value; }),
    Valued("--printer-index", 0, "N", {"print on entry N of the installed printer list"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.printerIndex = ParseInt(option, value, 0, 1 << 30);
           }),
    Valued("--queue-wait", 0, "SECONDS",
           {"how long a listing waits for room when the\n"
            "print server's queue is full (default 600; 0:\n"
            "it fails at once)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.queueWaitSeconds = ParseInt(option, value, 0, 86400);
           }),
    Valued("--output", 'o', "FILE",
           {"write the PCL stream to FILE instead of printing\n"
            "(several inputs: their jobs one after another;\n"
            "\"-\" is standard output)",
            "A FILE ending in .pdf gets one PDF for each\n"
            "input instead: FILE, then NAME-2.pdf, NAME-3.pdf\n"
            "... beside it."},
           [](CliSettings& s, const std::string&, const std::string& value) { s.output = value; }),
    Flag("--driver", 0,
         {"", "draw the listing and print it through the printer's\n"
              "driver instead of sending it raw PCL: for printers\n"
              "that do not speak PCL (inkjets, IPP Everywhere\n"
              "printers); not with -o or PCL File"},
         [](CliSettings& s) { s.driver = true; }),
    Valued("--paper", 0, "NAME",
           {"the paper the printer is asked for: letter, legal\n"
            "or a4 (default: the printer's)",
            "A PDF or a --driver listing is drawn on that\n"
            "paper, or on executive, a5 or b5 (default: for a\n"
            "PDF the locale's paper, else letter)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               if (!PaperNamed(value))
                   throw BadValue(option, value, "letter, a4, legal, executive, a5 or b5");
               s.paper = value;
           }),
    Valued("--copies", 'n', "N",
           {"copies of each listing, 1 to 999 (default: the\n"
            "printer's)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.requests.copies = ParseInt(option, value, 1, 999);
           }),
    Valued("--duplex", 0, "long|short|off",
           {"print on both sides of the sheet, turned\n"
            "on the long or the short edge, or on one side\n"
            "(default: the printer's)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               const std::string sides = Choice(option, value, {"long", "short", "off"});
               s.listing.requests.sides = sides == "long"    ? Sides::LongEdge
                                          : sides == "short" ? Sides::ShortEdge
                                                             : Sides::OneSided;
           }),
    Valued("--tray", 0, "N",
           {"the paper source by its PCL number, 1 to 69:\n"
            "1 main tray, 4 lower tray, 2 manual feed,\n"
            "7 automatic selection (default: the printer's)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.requests.paperSource = ParseInt(option, value, 1, 69);
           }),
    Valued("--pages", 0, "LIST",
           {"only these pages of each listing, as it counts\n"
            "them (a form feed starts a page): 3-5,9 or 7-"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               const std::optional<PageSelection> pages = PageSelection::Parse(value);
               if (!pages)
                   throw BadValue(option, value, "a list of pages such as 3-5,9 or 7-");
               s.listing.pages = *pages;
           }),
    Flag("--landscape", 0, {"landscape (default portrait)"},
         [](CliSettings& s) { s.listing.landscape = true; }),
    Valued("--lpi", 0, "6|8", {"lines per inch (default 8)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.sixLpi = Choice(option, value, {"6", "8"}) == "6";
           }),
    Valued("--font", 0, "courier|lineprinter", {"(default courier)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.linePrinter =
                   Choice(option, value, {"courier", "lineprinter"}) == "lineprinter";
           }),
    Flag("--no-compressed", 0, {"10 cpi instead of 16.67 cpi (forces courier)"},
         [](CliSettings& s) { s.listing.compressed = false; }),
    // Its text sets its default further right than the other options'.
    Valued("--charset", 0, "ibm|roman8", {"       (default ibm)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.roman8 = Choice(option, value, {"ibm", "roman8"}) == "roman8";
           }),
    Valued("--bar-height", 0, "N", {"1 to 6 (default 2)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.barHeight = ParseInt(option, value, 1, 6);
           }),
    Flag("--no-bars", 0, {"no greenbar shading"},
         [](CliSettings& s) { s.listing.printBars = false; }),
    Valued("--tab-size", 0, "N",
           {"tab stops every N columns, 1 to 16 (default 8);\n"
            "0 makes TAB a control character like the others"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.tabSize = ParseInt(option, value, 0, 16);
           }),
    Valued("--input-encoding", 0, "auto|raw|NAME",
           {"how the files' characters are read:\n"
            "UTF-8 (default), every byte as it is, or a\n"
            "character set such as latin1 or cp1252"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               if (!InputDecoder::Make(value))
                   throw BadValue(option, value, "auto, raw or a character set this system knows");
               s.listing.inputEncoding = value;
           }),
    Valued("--symbol-sets", 0, "LIST",
           {"the printer's symbol sets that print what the\n"
            "listing's own lacks, tried in order: none, or\n"
            "PCL IDs of 10U PC-8, 8U Roman-8, 19U Windows\n"
            "Latin 1, 9E Windows Latin 2, 5N Latin 5 (default:\n"
            "the other of 10U and 8U, then 19U,9E,5N)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               if (!OtherSymbolSets(value, SymbolSet::Pc8) || value.empty()) {
                   std::string known;
                   for (const SymbolSetInfo& set : KnownSymbolSets())
                       known += (known.empty() ? "" : ", ") + std::string(set.pclId);
                   throw BadValue(option, value, "none or a list such as 19U,9E of " + known);
               }
               s.listing.symbolSets = value;
           }),
    Valued("--download-font", 0, "on|off",
           {"characters none of the sets has (Cyrillic,\n"
            "Greek, ...) from a font the listing downloads,\n"
            "drawn like the listing's face, up to 190\n"
            "different ones a listing (default on); off\n"
            "prints them as ?"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.downloadFont = Choice(option, value, {"on", "off"}) == "on";
           }),
    Valued("--control-chars", 0, "show|raw",
           {"the files' control characters (ESC\n"
            "among them; not line ends, form feed or TAB):\n"
            "printed as ^[ and the like (default), or sent to\n"
            "the printer as they are, printer commands and all"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               s.listing.showControlChars = Choice(option, value, {"show", "raw"}) == "show";
           }),
    Valued("--emphasis", 0, "auto|none|LANG",
           {"keywords and types bold,\n"
            "comments italic (with lineprinter: overstruck\n"
            "and underlined), in the language of the file's\n"
            "name or #! line (auto), in LANG, or none (default)"},
           [](CliSettings& s, const std::string& option, const std::string& value) {
               if (!IsEmphasisChoice(value))
                   throw BadValue(option, value,
                                  "auto, none or a language that --list-languages lists");
               s.listing.emphasis = value;
           }),
    Valued("--title", 0, "TEXT",
           {"the name the page header shows instead of the\n"
            "file's, for one input only; standard input's is\n"
            "\"(standard input)\" without it"},
           [](CliSettings& s, const std::string&, const std::string& value) {
               s.listing.title = value;
           }),
    Flag("--quiet", 'q',
         {"no \"NAME: 12 pages on PRINTER\" line on standard\n"
          "error after each listing"},
         [](CliSettings& s) { s.quiet = true; }),
    Flag("--list-printers", 0, {"the installed printers in order, the default marked"},
         [](CliSettings& s) { s.action = Action::ListPrinters; }),
    Valued("--describe-printer", 0, "NAME", {"the paper forms and bins of printer NAME"},
           [](CliSettings& s, const std::string&, const std::string& value) {
               s.action = Action::DescribePrinter;
               s.describedPrinter = value;
           }),
    Flag("--list-languages", 0, {"the languages --emphasis knows"},
         [](CliSettings& s) { s.action = Action::ListLanguages; }),
    Flag("--help", 'h', {"this text"}, [](CliSettings& s) { s.action = Action::Help; }),
    Flag("--version", 0, {"the version"}, [](CliSettings& s) { s.action = Action::Version; }),
};

// The help text around the options' lines, which come from the option
// table: its start, what a build that draws listings (PDF and --driver)
// adds after them, and its end.
const char* const kUsageStart = R"(Usage: zellist [OPTIONS] [FILE...]
Prints text files as greenbar listings on a PCL printer, one job per file.
With no FILE, or where FILE is -, it lists standard input.

)";

const char* const kUsageDrawnRequests =
    R"(
With --driver, --copies, --duplex, --paper and --tray become the job's
copies, sides, media and tray (the printer's tray that the PCL number
selects); a PDF has no copies, sides or trays and leaves them out.
)";

const char* const kUsageNotes = R"usage(
The listing date is the local time, or SOURCE_DATE_EPOCH when it is set.
Exit status: 0 all printed, 1 a file failed (the rest not printed), 2 usage,
128 + N stopped by signal N.
)usage";

// Where the help's text starts after an option's names.
constexpr std::size_t kHelpColumn = 25;

// `option`'s lines of the help text: its names and value, its text from the
// help column on, or three spaces after names that reach it, and its
// further lines from the help column; none when it has no text.
std::string OptionHelp(const Option& option, bool drawing) {
    std::string text = option.help.text;
    if (drawing && *option.help.drawingText)
        text += (text.empty() ? "" : "\n") + std::string(option.help.drawingText);
    if (text.empty())
        return "";
    std::string lines = option.shortName ? std::string("  -") + option.shortName + ", " : "      ";
    lines += option.longName;
    if (option.valueName)
        lines += std::string(" ") + option.valueName;
    lines += lines.size() + 2 <= kHelpColumn ? std::string(kHelpColumn - lines.size(), ' ') : "   ";
    for (const char c : text) {
        lines += c;
        if (c == '\n')
            lines += std::string(kHelpColumn, ' ');
    }
    return lines + "\n";
}

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

std::string Usage(bool drawing) {
    std::string usage = kUsageStart;
    for (const Option& option : kOptions)
        usage += OptionHelp(option, drawing);
    if (drawing)
        usage += kUsageDrawnRequests;
    return usage + kUsageNotes;
}

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
