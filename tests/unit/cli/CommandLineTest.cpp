#include "cli/CommandLine.h"

#include "cli/LocalePaper.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace zl::cli {
namespace {

// The message of the UsageError `action` raises, "" when it raises none.
std::string UsageMessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const UsageError& e) {
        return e.what();
    }
    return "";
}

std::string UsageMessage(const std::vector<std::string>& args) {
    return UsageMessageOf([&] { ParseCommandLine(args); });
}

// A command line and the usage error it is refused with.
struct Refusal {
    std::vector<std::string> args;
    std::string message;
};

// Each command line is refused with its message.
void ExpectRefused(const std::vector<Refusal>& refusals) {
    for (const Refusal& refusal : refusals) {
        std::string line;
        for (const std::string& arg : refusal.args)
            line += arg + " ";
        SCOPED_TRACE(line);
        EXPECT_EQ(UsageMessage(refusal.args), refusal.message);
    }
}

// The options of the listing's pages that `s` holds, in one line.
std::string PageOptions(const CliSettings& s) {
    std::ostringstream text;
    text << std::boolalpha << "landscape " << s.listing.landscape << ", 6 lpi " << s.listing.sixLpi
         << ", line printer " << s.listing.linePrinter << ", roman8 " << s.listing.roman8
         << ", compressed " << s.listing.compressed << ", bar height " << s.listing.barHeight
         << ", bars " << s.listing.printBars << ", tab size " << s.listing.tabSize
         << ", input encoding " << s.listing.inputEncoding << ", control chars shown "
         << s.listing.showControlChars;
    return text.str();
}

TEST(CommandLine, DefaultsMatchTheProgramsStartingOptions) {
    const CliSettings s = ParseCommandLine({"a.c"});
    EXPECT_EQ(s.action, CliSettings::Action::Print);
    EXPECT_EQ(s.files, (std::vector<std::string>{"a.c"}));
    EXPECT_EQ(PageOptions(s), "landscape false, 6 lpi false, line printer false, roman8 false, "
                              "compressed true, bar height 2, bars true, tab size 8, "
                              "input encoding auto, control chars shown true");
    EXPECT_FALSE(s.printer);
    EXPECT_FALSE(s.printerIndex);
    EXPECT_FALSE(s.output);
    EXPECT_EQ(s.listing.title, "");
    EXPECT_FALSE(s.quiet);
    // Without FILE, standard input.
    EXPECT_EQ(ParseCommandLine({"--landscape"}).files, (std::vector<std::string>{"-"}));
}

TEST(CommandLine, EveryOptionInBothSpellings) {
    const CliSettings s = ParseCommandLine({"--landscape",
                                            "--lpi",
                                            "6",
                                            "--font=lineprinter",
                                            "--charset",
                                            "roman8",
                                            "--bar-height=5",
                                            "--no-bars",
                                            "--tab-size=0",
                                            "--input-encoding",
                                            "latin1",
                                            "--control-chars=raw",
                                            "-Palpha",
                                            "-q",
                                            "--title=build log",
                                            "-n3",
                                            "--duplex=short",
                                            "--tray",
                                            "7",
                                            "--pages=2-3,9-",
                                            "--emphasis=auto",
                                            "x.txt"});
    EXPECT_EQ(PageOptions(s), "landscape true, 6 lpi true, line printer true, roman8 true, "
                              "compressed true, bar height 5, bars false, tab size 0, "
                              "input encoding latin1, control chars shown false");
    EXPECT_EQ(*s.printer, "alpha");
    EXPECT_TRUE(s.quiet);
    EXPECT_EQ(s.listing.title, "build log");
    EXPECT_EQ(s.listing.requests,
              (PrinterRequests{3, Sides::ShortEdge, PaperRequest::PrinterDefault, 7}));
    EXPECT_EQ(s.listing.pages.Text(), "2-3,9-");
    EXPECT_EQ(s.listing.emphasis, "auto");
    EXPECT_EQ(s.files, (std::vector<std::string>{"x.txt"}));
    EXPECT_EQ(ParseCommandLine({"--quiet", "x", "--", "-odd-name"}).files,
              (std::vector<std::string>{"x", "-odd-name"}));

    EXPECT_EQ(*ParseCommandLine({"-o", "out.pcl", "f"}).output, "out.pcl");
    EXPECT_EQ(*ParseCommandLine({"--printer-index", "3", "f"}).printerIndex, 3);
    EXPECT_EQ(ParseCommandLine({"--list-printers"}).action, CliSettings::Action::ListPrinters);
    EXPECT_EQ(ParseCommandLine({"-h"}).action, CliSettings::Action::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}).action, CliSettings::Action::Version);
    EXPECT_EQ(ParseCommandLine({"--list-languages"}).action, CliSettings::Action::ListLanguages);
    EXPECT_EQ(ParseCommandLine({"-"}).files, (std::vector<std::string>{"-"}));
}

TEST(CommandLine, UncompressedPitchForcesCourier) {
    const CliSettings s = ParseCommandLine({"--font", "lineprinter", "--no-compressed", "f"});
    EXPECT_FALSE(s.listing.compressed);
    EXPECT_FALSE(s.listing.linePrinter);
}

TEST(CommandLine, BadValuesNameTheOption) {
    ExpectRefused({
        {{"--lpi", "7", "f"}, "--lpi: '7' is not 6 or 8"},
        {{"--font", "Courier", "f"}, "--font: 'Courier' is not courier or lineprinter"},
        {{"--charset=ebcdic", "f"}, "--charset: 'ebcdic' is not ibm or roman8"},
        {{"--bar-height", "0", "f"}, "--bar-height: '0' is not a number from 1 to 6"},
        {{"--bar-height", "2x", "f"}, "--bar-height: '2x' is not a number from 1 to 6"},
        {{"--tab-size", "17", "f"}, "--tab-size: '17' is not a number from 0 to 16"},
        {{"--input-encoding", "klingon", "f"},
         "--input-encoding: 'klingon' is not auto, raw or a character set this system knows"},
        {{"--control-chars", "hide", "f"}, "--control-chars: 'hide' is not show or raw"},
        {{"--emphasis", "klingon", "f"},
         "--emphasis: 'klingon' is not auto, none or a language that --list-languages lists"},
        {{"-n", "0", "f"}, "--copies: '0' is not a number from 1 to 999"},
        {{"--copies=1000", "f"}, "--copies: '1000' is not a number from 1 to 999"},
        {{"--duplex", "both", "f"}, "--duplex: 'both' is not long or short or off"},
        {{"--tray", "70", "f"}, "--tray: '70' is not a number from 1 to 69"},
        {{"--tray=0", "f"}, "--tray: '0' is not a number from 1 to 69"},
        {{"--pages", "5-3", "f"}, "--pages: '5-3' is not a list of pages such as 3-5,9 or 7-"},
        {{"--symbol-sets", "19U,99X", "f"},
         "--symbol-sets: '19U,99X' is not none or a list such as 19U,9E of 10U, 8U, 19U, 9E, 5N"},
        {{"--pages=", "f"}, "--pages: '' is not a list of pages such as 3-5,9 or 7-"},
        {{"--printer-index", "-1", "f"},
         "--printer-index: '-1' is not a number from 0 to 1073741824"},
        {{"f", "--printer"}, "--printer: needs a value"},
        {{"f", "-P"}, "--printer: needs a value"},
        {{"-hx", "f"}, "--help: takes no value"},
        {{"--landscape=yes", "f"}, "--landscape: takes no value"},
        {{"--colour", "f"}, "--colour: unknown option"},
        {{"--title", "log", "a", "-"}, "--title: names the header of one input, not of 2"},
        {{"-P", "a", "--printer-index", "1", "f"},
         "--printer and --printer-index: give only one of them"},
        {{"-P", "a", "-o", "x", "f"}, "--output: prints to a file, not to a printer"},
    });
}

TEST(CommandLine, OutputThatIsAnInputFileIsRefused) {
    test::TempDir dir;
    const std::string input = (dir / "f.txt").string();
    const std::string link = (dir / "link.txt").string();
    test::WriteFile(input, "x");
    EXPECT_EQ(UsageMessage({"-o", input, "a", input}),
              "--output: '" + input + "' is the input file '" + input + "'");
#ifndef _WIN32 // a symbolic link takes a privilege there
    std::filesystem::create_symlink(input, link);
    EXPECT_EQ(UsageMessage({"-o", link, input}),
              "--output: '" + link + "' is the input file '" + input + "'");
#endif
    EXPECT_EQ(UsageMessage({"-o", (dir / "new.pcl").string(), input}), "");
    EXPECT_EQ(UsageMessage({"-o", "-", "-"}), "");
}

TEST(CommandLine, SourceDateEpochFrom1970To9999) {
    EXPECT_EQ(SourceDateEpoch("0"), 0);
    EXPECT_EQ(SourceDateEpoch("253402300799"), 253402300799);
    const std::string outside = "' is not a time in the years 1970 to 9999 (0 to 253402300799)";
    for (const std::string text :
         {"-1", "253402300800", "9223372036854775807", "99999999999999999999"})
        EXPECT_EQ(UsageMessageOf([&] { SourceDateEpoch(text); }),
                  "SOURCE_DATE_EPOCH: '" + text + outside);
    EXPECT_EQ(UsageMessageOf([&] { SourceDateEpoch("12x"); }),
              "SOURCE_DATE_EPOCH: '12x' is not a number of seconds");
}

TEST(CommandLine, APdfOutputIsOneFileForEachInput) {
    struct Case {
        std::string output;
        bool pdf;
        std::string second, third;
    };
    for (const Case& c :
         {Case{"x.pdf", true, "x-2.pdf", "x-3.pdf"},
          Case{"out/List.PDF", true, "out/List-2.PDF", "out/List-3.PDF"},
          Case{"a.b.Pdf", true, "a.b-2.Pdf", "a.b-3.Pdf"}, Case{".pdf", false, "", ""},
          Case{"x.pcl", false, "", ""}, Case{"-", false, "", ""}}) {
        SCOPED_TRACE(c.output);
        EXPECT_EQ(IsPdfName(c.output), c.pdf);
        if (!c.pdf)
            continue;
        EXPECT_EQ(PdfOutputName(c.output, 0), c.output);
        EXPECT_EQ(PdfOutputName(c.output, 1), c.second);
        EXPECT_EQ(PdfOutputName(c.output, 2), c.third);
    }
    // The second input's PDF would be written over the first input.
    test::TempDir dir;
    const std::string input = (dir / "l-2.pdf").string();
    test::WriteFile(input, "x");
    EXPECT_EQ(UsageMessage({"-o", (dir / "l.pdf").string(), input, input}),
              "--output: '" + input + "' is the input file '" + input + "'");
}

TEST(CommandLine, PaperByNameOrTheLocales) {
    EXPECT_EQ(ParseCommandLine({"a.c"}).paper, "");
    EXPECT_EQ(ParseCommandLine({"--paper", "A4", "a.c"}).paper, "A4");
    EXPECT_EQ(ParseCommandLine({"--paper=letter", "a.c"}).paper, "letter");
    EXPECT_EQ(UsageMessage({"--paper", "folio", "a.c"}),
              "--paper: 'folio' is not letter, a4, legal, executive, a5 or b5");
    // A PCL listing asks the printer for the paper, one long enough for its
    // page; a drawn one is drawn on it.
    struct Asked {
        std::vector<std::string> args;
        PaperRequest paper;
    };
    for (const Asked& c : {Asked{{"--paper", "Legal"}, PaperRequest::Legal},
                           Asked{{"--paper", "a4", "--landscape"}, PaperRequest::A4},
                           Asked{{"--paper=letter", "-o", "x.pcl"}, PaperRequest::Letter},
                           Asked{{"--paper", "a4", "-o", "x.pdf"}, PaperRequest::PrinterDefault},
                           Asked{{"--paper", "b5", "--driver"}, PaperRequest::PrinterDefault},
                           Asked{{"--paper", "a5", "-o", "x.PDF"}, PaperRequest::PrinterDefault}}) {
        std::vector<std::string> args = c.args;
        args.push_back("a.c");
        SCOPED_TRACE(args.front() + " " + args[1]);
        EXPECT_EQ(ParseCommandLine(args).listing.requests.paper, c.paper);
    }
    const std::string portrait =
        " is too short for a portrait PCL listing, which needs more than 10.5 inches of paper "
        "down its page (half an inch of top margin, 10 inches of text, and an edge the printer "
        "cannot print on), and ";
    const std::string landscape =
        " is too short for a landscape PCL listing, which needs more than 8 inches of paper "
        "down its page (half an inch of top margin, 7.5 inches of text, and an edge the printer "
        "cannot print on), and ";
    ExpectRefused({
        {{"--paper", "a5", "a.c"},
         "--paper: a5" + portrait +
             "a5 is only 8.27 inches long; use "
             "letter, legal or a4"},
        {{"--paper", "Executive", "-o", "x.pcl", "a.c"},
         "--paper: Executive" + portrait +
             "Executive is only 10.5 inches long; use letter, legal or a4"},
        {{"--landscape", "--paper=b5", "a.c"},
         "--paper: b5" + landscape + "b5 is only 7.17 inches wide; use letter, legal or a4"},
    });
    struct Case {
        unsigned width, height;
        PaperRequest paper;
    };
    for (const Case& c : {Case{210, 297, PaperRequest::A4}, Case{216, 279, PaperRequest::Letter},
                          Case{216, 356, PaperRequest::Letter}, Case{0, 0, PaperRequest::Letter}})
        EXPECT_EQ(PaperOfMillimetres(c.width, c.height), c.paper) << c.width;
    // The C and POSIX locales say nothing of the paper: a listing into a
    // file keeps Letter's widths there.
    for (const char* name : {"", "C", "C.UTF-8", "C.utf8", "POSIX"})
        EXPECT_FALSE(NamesAPaper(name)) << name;
    for (const char* name : {"de_DE.UTF-8", "en_US", "fr_FR@euro"})
        EXPECT_TRUE(NamesAPaper(name)) << name;
}

TEST(CommandLine, DriverPrintsOnAPrinterByNameOnly) {
    EXPECT_FALSE(ParseCommandLine({"a.c"}).driver);
    const CliSettings s = ParseCommandLine({"--driver", "-P", "ink", "a.c"});
    EXPECT_TRUE(s.driver);
    EXPECT_EQ(*s.printer, "ink");
    EXPECT_TRUE(ParseCommandLine({"--driver", "--paper", "a4", "a.c"}).driver); // the default
    ExpectRefused({
        {{"--driver", "-o", "x.pdf", "a.c"}, "--driver: prints on a printer, not into --output"},
        {{"--driver", "-o", "x.pcl", "a.c"}, "--driver: prints on a printer, not into --output"},
        {{"--driver", "--printer-index", "0", "a.c"},
         "--driver: takes its printer by name (-P NAME)"},
        {{"-P", "PCL File", "--driver", "a.c"}, "--driver: 'PCL File' takes raw PCL only"},
        {{"--driver=yes", "a.c"}, "--driver: takes no value"},
    });
}

} // namespace
} // namespace zl::cli
