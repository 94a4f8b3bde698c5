#include "cli/ZelListCli.h"

#include "tests/support/RecordingPrintService.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace zl::cli {
namespace {

using test::RecordingPrintService;
using test::TempDir;

class ZelListCliTest : public ::testing::Test {
protected:
    ZelListCliTest() {
        service.printers = {"alpha", "beta"};
        service.defaultName = "beta";
        test::WriteFile(dir / "one.txt", "one\r\n");
        test::WriteFile(dir / "three.txt", "three\r\n");
    }

    int Run(const std::vector<std::string>& args) {
        return RunZelList(ParseCommandLine(args), service, clock, names, out, err);
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }

    TempDir dir;
    RecordingPrintService service;
    FixedClock clock{LocalTime{2026, 12, 6, 0, 11, 31, 0}};
    LocaleNames names = LocaleNames::English();
    std::ostringstream out, err;
};

TEST_F(ZelListCliTest, ListsThePrintersWithTheDefaultMarked) {
    EXPECT_EQ(Run({"--list-printers"}), 0);
    EXPECT_EQ(out.str(), "alpha\nbeta  (default)\n");
}

TEST_F(ZelListCliTest, EachFileIsOneJobOnTheDefaultPrinter) {
    EXPECT_EQ(Run({Path("one.txt"), Path("three.txt")}), 0);
    EXPECT_EQ(err.str(), "zellist: " + Path("one.txt") + ": 1 page on beta\nzellist: " +
                             Path("three.txt") + ": 1 page on beta\n");
    ASSERT_EQ(service.jobs.size(), 2u);
    for (const auto& job : service.jobs) {
        EXPECT_EQ(job.printer, "beta");
        EXPECT_EQ(job.documentName, "ZelPrint Job");
        EXPECT_EQ(job.type, DataType::Raw);
        EXPECT_TRUE(job.ended);
        EXPECT_EQ(job.Bytes().substr(0, 2), "\x1b"
                                            "E");
    }
    EXPECT_NE(service.jobs[1].Bytes().find("three"), std::string::npos);
}

// Characters no set or downloaded glyph prints are counted and said, quiet
// or not, and so are those printed without their accents and bytes that are
// not UTF-8 (in the listing's own set, selected again; '?' where it takes
// them as controls); --symbol-sets names the sets tried, --download-font
// whether the font is.
TEST_F(ZelListCliTest, CharactersThatCannotBePrintedAreSaid) {
    const std::string polish = "\xc5\xbc\xe6\x97\xa5\xe6\x9c\xac"; // ż日本
    const std::string notPrinted = ": 2 characters could not be printed (shown as ?)\n";
#ifdef _WIN32 // no tables of widths: one column each
    const std::string wide = "??";
#else
    const std::string wide = "? ? ";
#endif
    const struct {
        std::vector<std::string> options;
        std::string text, line;
        std::vector<std::string> said;
    } cases[] = {
        {{"-q", "--symbol-sets", "9E", "--download-font=off"},
         polish,
         "\x1b(9E\xbf" + wide,
         {notPrinted}},
#ifndef _WIN32 // Windows' converter does not come near: ż is a '?' there too
        {{"-q", "--symbol-sets=none", "--download-font=off"},
         polish,
         "z" + wide,
         {notPrinted, ": 1 character printed without their accents\n"}},
#endif
        {{"--symbol-sets", "5N,9e", "--download-font=off"},
         polish,
         "\x1b(9E\xbf" + wide,
         {notPrinted}},
        // A stray byte after ż, a lone byte of Roman-8's controls.
        {{"-q", "--symbol-sets", "9E"},
         "\xc5\xbc\xfc",
         "\x1b(9E\xbf\x1b(10U\xfc",
         {": 1 byte was not UTF-8\n"}},
        {{"-q", "--charset", "roman8"}, "a\x85", "a?", {": 1 byte was not UTF-8\n"}},
#ifndef _WIN32 // no tables of scripts there
        // Hebrew prints in the file's order.
        {{"-q", "--download-font=off", "--symbol-sets=none"},
         "\xd7\xa9\xd7\x9c",
         "??",
         {notPrinted, ": 2 right-to-left characters printed left to right\n"}},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        err.str("");
        service.jobs.clear();
        test::WriteFile(dir / "polish.txt", c.text + "\r\n");
        std::vector<std::string> args = c.options;
        args.push_back(Path("polish.txt"));
        EXPECT_EQ(Run(args), 0);
        const std::string name = "zellist: " + Path("polish.txt");
        std::string said = c.options[0] == "-q" ? "" : name + ": 1 page on beta\n";
        for (const std::string& phrase : c.said)
            said += name + phrase;
        EXPECT_EQ(err.str(), said);
        EXPECT_NE(service.jobs.at(0).Bytes().find("      1: " + c.line + "\r\n"),
                  std::string::npos);
    }
}

TEST_F(ZelListCliTest, TheFirstFailureStopsTheRunAndNamesItsFile) {
    EXPECT_EQ(Run({"-q", "-P", "alpha", Path("one.txt"), Path("missing.txt"), Path("three.txt")}),
              1);
    EXPECT_EQ(err.str(), "zellist: " + Path("missing.txt") +
                             ": File not found.\nzellist: 1 of 3 files printed on alpha; not "
                             "printed: " +
                             Path("missing.txt") + " and 1 more\n");
    ASSERT_EQ(service.jobs.size(), 1u) << "a file that cannot be opened gets no job";
    EXPECT_TRUE(service.jobs[0].ended);
    EXPECT_EQ(service.jobs[0].printer, "alpha");
    EXPECT_EQ(service.openJobs, 0);
    // A name's control characters reach the terminal as '?', never as a
    // command to it.
    err.str("");
    EXPECT_EQ(Run({"-q", Path("m\x1b]0;pwn\x07.txt")}), 1);
    // (Not found, or on Windows an invalid name.)
    EXPECT_EQ(err.str().rfind("zellist: " + Path("m?]0;pwn?.txt") + ": ", 0), 0u) << err.str();
    EXPECT_EQ(err.str().find_first_of("\x1b\x07"), std::string::npos);
}

TEST_F(ZelListCliTest, PrinterChoices) {
    EXPECT_EQ(Run({"--printer-index", "0", Path("one.txt")}), 0);
    EXPECT_EQ(service.jobs.back().printer, "alpha");

    EXPECT_THROW(Run({"--printer-index", "2", Path("one.txt")}), UsageError);
    EXPECT_THROW(Run({"-P", "gamma", Path("one.txt")}), UsageError);
    EXPECT_EQ(service.jobs.size(), 1u);
}

TEST_F(ZelListCliTest, APrinterListThatCannotBeReadFailsWithItsCause) {
    service.Fail("Printers", 0, "the print server 127.0.0.1:631 does not answer");
    for (const auto& args :
         {std::vector<std::string>{Path("one.txt")}, std::vector<std::string>{"--list-printers"},
          std::vector<std::string>{"--describe-printer", "alpha"}}) {
        SCOPED_TRACE(args.front());
        err.str("");
        EXPECT_EQ(Run(args), 1);
        EXPECT_EQ(err.str(), "zellist: cannot list the printers: the print server 127.0.0.1:631 "
                             "does not answer.\n");
    }
    EXPECT_EQ(out.str(), "");
    EXPECT_TRUE(service.jobs.empty());
}

TEST_F(ZelListCliTest, PrintingIntoPclFileForWantOfAServerIsNotedOnce) {
    service.printers.push_back("PCL File");
    service.defaultName = "PCL File";
    const auto note = [] { return std::string("no print server is configured"); };
    const CliSettings byDefault = ParseCommandLine({"-q", Path("one.txt"), Path("three.txt")});
    EXPECT_EQ(RunZelList(byDefault, service, clock, names, out, err, note), 0);
    EXPECT_EQ(err.str(), "zellist: no print server is configured; printing to PCL File\n");

    err.str("");
    const CliSettings chosen = ParseCommandLine({"-q", "-P", "PCL File", Path("one.txt")});
    EXPECT_EQ(RunZelList(chosen, service, clock, names, out, err, note), 0);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(service.jobs.size(), 3u);
}

TEST_F(ZelListCliTest, OptionsReachTheListing) {
    test::WriteFile(dir / "reset.txt", "\x1b"
                                       "E");
    EXPECT_EQ(Run({"--landscape", "--lpi", "6", "--charset", "roman8", "--font", "lineprinter",
                   "--bar-height", "3", "--control-chars", "raw", Path("reset.txt")}),
              0);
    const std::string bytes = service.jobs.at(0).Bytes();
    EXPECT_EQ(bytes.rfind("\x1b"
                          "E\x1b&l1O\x1b&l6D\x1b&l45F\x1b(8U\x1b(s0p16.67h8.5v0s0b0T\x1b&f1Y",
                          0),
              0u);
    EXPECT_NE(bytes.find("\x1b*c360V"), std::string::npos); // 3 lines of 120 decipoints
    EXPECT_NE(bytes.find("      1: \x1b"
                         "E"),
              std::string::npos)
        << "the file's ESC, as it is";
}

// What the listing asks of the printer comes right after the reset, and
// nothing else of the listing changes (but A4's narrower lines, which the
// composer's tests work out): each option alone and two together.
TEST_F(ZelListCliTest, PrinterRequestsComeRightAfterTheResetAndChangeNothingElse) {
    ASSERT_EQ(Run({"-q", Path("one.txt")}), 0);
    const std::string plain = service.jobs.back().Bytes();
    const std::string reset = "\x1b"
                              "E";
    // 133 columns of Courier at 8 lpi: 80 lines of text; the overlay follows.
    ASSERT_EQ(plain.rfind(reset + "\x1b&l8D\x1b&l80F\x1b(10U\x1b(s0p16.67H\x1b&f1Y", 0), 0u);
    struct Case {
        std::vector<std::string> args;
        std::string commands;
    };
    const Case cases[] = {
        {{"-n", "2"}, "\x1b&l2X"},
        {{"--copies=999"}, "\x1b&l999X"},
        {{"--duplex", "long"}, "\x1b&l1S"},
        {{"--duplex=short"}, "\x1b&l2S"},
        {{"--duplex", "off"}, "\x1b&l0S"},
        {{"--tray", "4"}, "\x1b&l4H"},
        {{"--paper", "letter"}, "\x1b&l2A"},
        {{"--paper", "legal"}, "\x1b&l3A"},
        // The paper, its source, the sides, the copies.
        {{"-n", "3", "--tray", "7"}, "\x1b&l7H\x1b&l3X"},
        {{"--duplex", "short", "--paper", "legal"}, "\x1b&l3A\x1b&l2S"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.front() + " " + c.commands.substr(1));
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-q", Path("one.txt")});
        ASSERT_EQ(Run(args), 0);
        EXPECT_EQ(service.jobs.back().Bytes(), reset + c.commands + plain.substr(reset.size()));
    }
}

// --pages writes the pages asked for as the listing counts them (here a
// form feed ends pages 1 and 2), each as in the whole listing: only page 1
// has a header. A range past the end writes what there is, one beyond it
// no page.
TEST_F(ZelListCliTest, PagesAreWrittenAsTheListingCountsThem) {
    test::WriteFile(dir / "ff.txt", "a\fb\fc\r\n");
    struct Case {
        const char* pages;
        std::string written; // the numbers of the lines written
        std::string count;
    };
    const Case cases[] = {{"1", "1", "1 page"},
                          {"2", "2", "1 page"},
                          {"1,3", "13", "2 pages"},
                          {"2-9", "23", "2 pages"},
                          {"7-", "", "0 pages"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pages);
        err.str("");
        ASSERT_EQ(Run({"--pages", c.pages, Path("ff.txt")}), 0);
        const std::string bytes = service.jobs.back().Bytes();
        std::string written;
        for (const char* line : {"      1: a\r\f", "      2: b\r\f", "      3: c\r\n"}) {
            if (bytes.find(line) != std::string::npos)
                written += line[6];
        }
        EXPECT_EQ(written, c.written);
        EXPECT_EQ(bytes.find("Page 1") != std::string::npos, c.written.find('1') == 0);
        EXPECT_EQ(err.str(), "zellist: " + Path("ff.txt") + ": " + c.count + " on beta\n");
    }
}

} // namespace
} // namespace zl::cli
