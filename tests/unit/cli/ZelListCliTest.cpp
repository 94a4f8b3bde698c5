#include "cli/ZelListCli.h"

#include "tests/support/RecordingSpooler.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zl::cli {
namespace {

using test::RecordingSpooler;
using test::TempDir;

class ZelListCliTest : public ::testing::Test {
protected:
    ZelListCliTest() {
        spooler.printers = {{"alpha", ""}, {"beta", ""}};
        spooler.defaultName = "beta";
        test::WriteFile(dir / "one.txt", "one\r\n");
        test::WriteFile(dir / "three.txt", "three\r\n");
    }

    int Run(const std::vector<std::string>& args) {
        return RunZelList(ParseCommandLine(args), spooler, clock, names, out, err);
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }

    TempDir dir;
    RecordingSpooler spooler;
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
    EXPECT_EQ(err.str(), "");
    ASSERT_EQ(spooler.jobs.size(), 2u);
    for (const auto& job : spooler.jobs) {
        EXPECT_EQ(job.printer, "beta");
        EXPECT_EQ(job.doc.docName, "ZelPrint Job");
        EXPECT_EQ(job.doc.dataType, "RAW");
        EXPECT_TRUE(job.ended);
        EXPECT_EQ(job.writes.front(), "\x1b"
                                      "E");
    }
    EXPECT_NE(spooler.jobs[1].Bytes().find("three"), std::string::npos);
}

TEST_F(ZelListCliTest, TheFirstFailureStopsTheRunAndCancelsItsJob) {
    EXPECT_EQ(Run({"-P", "alpha", Path("one.txt"), Path("missing.txt"), Path("three.txt")}), 1);
    EXPECT_EQ(err.str(), "File not found.\n");
    ASSERT_EQ(spooler.jobs.size(), 2u);
    EXPECT_TRUE(spooler.jobs[0].ended);
    EXPECT_EQ(spooler.jobs[0].printer, "alpha");
    EXPECT_TRUE(spooler.jobs[1].aborted);
    EXPECT_FALSE(spooler.jobs[1].ended);
    EXPECT_EQ(spooler.openHandles, 0);
}

TEST_F(ZelListCliTest, PrinterChoices) {
    EXPECT_EQ(Run({"--printer-index", "0", Path("one.txt")}), 0);
    EXPECT_EQ(spooler.jobs.back().printer, "alpha");

    EXPECT_EQ(Run({"--printer-index", "2", Path("one.txt")}), 1);
    EXPECT_EQ(err.str(), "List index out of bounds (2)\n");
    EXPECT_EQ(spooler.jobs.size(), 1u);

    EXPECT_THROW(Run({"-P", "gamma", Path("one.txt")}), UsageError);
}

TEST_F(ZelListCliTest, OptionsReachTheListing) {
    EXPECT_EQ(Run({"--landscape", "--lpi", "6", "--charset", "roman8", "--font", "lineprinter",
                   "--bar-height", "3", Path("one.txt")}),
              0);
    const std::vector<std::string>& w = spooler.jobs.at(0).writes;
    EXPECT_EQ(w.at(1), "\x1b&l1O");
    EXPECT_EQ(w.at(2), "\x1b&l6D");
    EXPECT_EQ(w.at(3), "\x1b(8U\x1b(s0p16.67h8.5v0s0b0T");
    EXPECT_EQ(w.at(9), "\x1b*c360V"); // 3 lines of 120 decipoints
}

} // namespace
} // namespace zl::cli
