#include "cli/CommandLine.h"

#include <gtest/gtest.h>

namespace zl::cli {
namespace {

std::string UsageMessage(const std::vector<std::string>& args) {
    try {
        ParseCommandLine(args);
    } catch (const UsageError& e) {
        return e.what();
    }
    return "";
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
    EXPECT_FALSE(s.printer);
    EXPECT_FALSE(s.printerIndex);
    EXPECT_FALSE(s.output);
}

TEST(CommandLine, EveryOptionInBothSpellings) {
    const CliSettings s =
        ParseCommandLine({"--landscape", "--lpi", "6", "--font=lineprinter", "--charset", "roman8",
                          "--bar-height=5", "-Palpha", "x.txt", "--", "-odd-name"});
    EXPECT_TRUE(s.page.landscape);
    EXPECT_TRUE(s.page.sixLpi);
    EXPECT_TRUE(s.linePrinter);
    EXPECT_TRUE(s.noIbm);
    EXPECT_EQ(s.barHeight, 5);
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

} // namespace
} // namespace zl::cli
