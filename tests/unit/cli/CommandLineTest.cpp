#include "cli/CommandLine.h"
#ifdef ZELLIST_WITH_RENDER
#include "cli/LocalePaper.h"
#endif

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

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

TEST(CommandLine, DefaultsMatchTheProgramsStartingOptions) {
    const CliSettings s = ParseCommandLine({"a.c"});
    EXPECT_EQ(s.action, CliSettings::Action::Print);
    EXPECT_EQ(s.files, (std::vector<std::string>{"a.c"}));
    EXPECT_TRUE(s.page.compressed);
    EXPECT_FALSE(s.page.landscape);
    EXPECT_FALSE(s.page.sixLpi);
    EXPECT_FALSE(s.linePrinter);
    EXPECT_FALSE(s.noIbm);
    EXPECT_EQ(s.barHeight, 2);
    EXPECT_TRUE(s.printBars);
    EXPECT_EQ(s.tabSize, 8);
    EXPECT_EQ(s.inputEncoding, "auto");
    EXPECT_TRUE(s.showControlChars);
    EXPECT_FALSE(s.printer);
    EXPECT_FALSE(s.printerIndex);
    EXPECT_FALSE(s.output);
}

TEST(CommandLine, EveryOptionInBothSpellings) {
    const CliSettings s =
        ParseCommandLine({"--landscape", "--lpi", "6", "--font=lineprinter", "--charset", "roman8",
                          "--bar-height=5", "--no-bars", "--tab-size=0", "--input-encoding",
                          "latin1", "--control-chars=raw", "-Palpha", "x.txt", "--", "-odd-name"});
    EXPECT_TRUE(s.page.landscape);
    EXPECT_TRUE(s.page.sixLpi);
    EXPECT_TRUE(s.linePrinter);
    EXPECT_TRUE(s.noIbm);
    EXPECT_EQ(s.barHeight, 5);
    EXPECT_FALSE(s.printBars);
    EXPECT_EQ(s.tabSize, 0);
    EXPECT_EQ(s.inputEncoding, "latin1");
    EXPECT_FALSE(s.showControlChars);
    EXPECT_EQ(*s.printer, "alpha");
    EXPECT_EQ(s.files, (std::vector<std::string>{"x.txt", "-odd-name"}));

    EXPECT_EQ(*ParseCommandLine({"-o", "out.pcl", "f"}).output, "out.pcl");
    EXPECT_EQ(*ParseCommandLine({"--printer-index", "3", "f"}).printerIndex, 3);
    EXPECT_EQ(ParseCommandLine({"--list-printers"}).action, CliSettings::Action::ListPrinters);
    EXPECT_EQ(ParseCommandLine({"-h"}).action, CliSettings::Action::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}).action, CliSettings::Action::Version);
    EXPECT_EQ(ParseCommandLine({"-"}).files, (std::vector<std::string>{"-"}));
}

TEST(CommandLine, UncompressedPitchForcesCourier) {
    const CliSettings s = ParseCommandLine({"--font", "lineprinter", "--no-compressed", "f"});
    EXPECT_FALSE(s.page.compressed);
    EXPECT_FALSE(s.linePrinter);
}

TEST(CommandLine, BadValuesNameTheOption) {
    EXPECT_EQ(UsageMessage({"--lpi", "7", "f"}), "--lpi: '7' is not 6 or 8");
    EXPECT_EQ(UsageMessage({"--font", "Courier", "f"}),
              "--font: 'Courier' is not courier or lineprinter");
    EXPECT_EQ(UsageMessage({"--charset=ebcdic", "f"}), "--charset: 'ebcdic' is not ibm or roman8");
    EXPECT_EQ(UsageMessage({"--bar-height", "0", "f"}),
              "--bar-height: '0' is not a number from 1 to 6");
    EXPECT_EQ(UsageMessage({"--bar-height", "2x", "f"}),
              "--bar-height: '2x' is not a number from 1 to 6");
    EXPECT_EQ(UsageMessage({"--tab-size", "17", "f"}),
              "--tab-size: '17' is not a number from 0 to 16");
    EXPECT_EQ(UsageMessage({"--input-encoding", "klingon", "f"}),
              "--input-encoding: 'klingon' is not auto, raw or a character set this system knows");
    EXPECT_EQ(UsageMessage({"--control-chars", "hide", "f"}),
              "--control-chars: 'hide' is not show or raw");
    EXPECT_EQ(UsageMessage({"--printer-index", "-1", "f"}),
              "--printer-index: '-1' is not a number from 0 to 1073741824");
    EXPECT_EQ(UsageMessage({"f", "--printer"}), "--printer: needs a value");
    EXPECT_EQ(UsageMessage({"--landscape=yes", "f"}), "--landscape: takes no value");
    EXPECT_EQ(UsageMessage({"--colour", "f"}), "--colour: unknown option");
    EXPECT_EQ(UsageMessage({"--landscape"}), "no FILE given");
    EXPECT_EQ(UsageMessage({"-P", "a", "--printer-index", "1", "f"}),
              "--printer and --printer-index: give only one of them");
    EXPECT_EQ(UsageMessage({"-P", "a", "-o", "x", "f"}),
              "--output: prints to a file, not to a printer");
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
#ifdef ZELLIST_WITH_RENDER
    struct Case {
        unsigned width, height;
        const char* name;
    };
    for (const Case& c : {Case{210, 297, "A4"}, Case{216, 279, "Letter"}, Case{216, 356, "Letter"},
                          Case{0, 0, "Letter"}})
        EXPECT_EQ(PaperOfMillimetres(c.width, c.height).name, c.name) << c.width;
#endif
}

TEST(CommandLine, DriverPrintsOnAPrinterByNameOnly) {
    EXPECT_FALSE(ParseCommandLine({"a.c"}).driver);
    const CliSettings s = ParseCommandLine({"--driver", "-P", "ink", "a.c"});
    EXPECT_TRUE(s.driver);
    EXPECT_EQ(*s.printer, "ink");
    EXPECT_TRUE(ParseCommandLine({"--driver", "--paper", "a4", "a.c"}).driver); // the default
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    for (const Case& c : {
             Case{{"--driver", "-o", "x.pdf", "a.c"},
                  "--driver: prints on a printer, not into --output"},
             Case{{"--driver", "-o", "x.pcl", "a.c"},
                  "--driver: prints on a printer, not into --output"},
             Case{{"--driver", "--printer-index", "0", "a.c"},
                  "--driver: takes its printer by name (-P NAME)"},
             Case{{"-P", "PCL File", "--driver", "a.c"}, "--driver: 'PCL File' takes raw PCL only"},
             Case{{"--driver=yes", "a.c"}, "--driver: takes no value"},
         }) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        EXPECT_EQ(UsageMessage(c.args), c.message);
    }
}

} // namespace
} // namespace zl::cli
