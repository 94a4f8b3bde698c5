// zellist itself, printing through the private CUPS server.
#include "tests/support/CupsTestServer.h"
#include "tests/support/TempDir.h"

#include <cups/ipp.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace zl {
namespace {

using test::CupsTestServer;

const std::string kEsc = "\x1b";
// Sunday, December 6, 2026 at 11:31 AM UTC.
const char* kEpoch = "1796556660";

// The overlay for portrait, 8 lines per inch, bands of 2 lines: 180
// decipoints high, one every 360 down to 6840, 2400 dots wide.
std::string Overlay() {
    std::string overlay = kEsc + "&f1Y" + kEsc + "&f0X" + kEsc + "&f0S";
    for (int position = 0; position <= 6840; position += 360)
        overlay += kEsc + "&a" + std::to_string(position) + "V" + kEsc + "*c2400A" + kEsc +
                   "*c180V" + kEsc + "*c10G" + kEsc + "*c2P";
    return overlay + kEsc + "&f1S" + kEsc + "&f1X" + kEsc + "&f4X";
}

// The listing of "ab" CR LF "cd" CR LF in /tmp/zle2e/A.TXT with the default
// options: 133 columns of 16.67 cpi Courier, IBM symbols.
std::string ExpectedListing() {
    const std::string header = "  File: /tmp/zle2e/A.TXT" + std::string(23, ' ') +
                               "Sunday, December 6, 2026 at 11:31 AM" + std::string(44, ' ') +
                               "Page 1" + std::string(66, ' ');
    return kEsc + "E" + kEsc + "&l8D" + kEsc + "(10U" + kEsc + "(s0p16.67H" + Overlay() + header +
           "\r\n" + "\r\n" + "      1: ab\r\n" + "      2: cd\r\n" + Overlay();
}

class ZelListCommandTest : public ::testing::Test {
protected:
    ZelListCommandTest() {
        std::filesystem::create_directories(dir_);
        test::WriteFile(dir_ / "A.TXT", "ab\r\ncd\r\n");
        test::WriteFile(dir_ / "B.TXT", "b\r\n");
    }
    ~ZelListCommandTest() override { std::filesystem::remove_all(dir_); }

    // Runs zellist with `args`; its exit status, its standard error in `err`.
    int Zellist(const std::string& args, std::string& err) {
        const std::string errFile = (dir_ / "stderr").string();
        const std::string line =
            "env -u LPDEST -u PRINTER HOME=/nonexistent CUPS_SERVER=" + server_.Address() +
            " TZ=UTC LC_ALL=C SOURCE_DATE_EPOCH=" + kEpoch + " '" ZELLIST_BINARY "' " + args +
            " 2>'" + errFile + "'";
        const int status = std::system(line.c_str());
        err = test::ReadFile(errFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The jobs of the queue "zcli" that are newer than `before`.
    std::vector<int> NewJobs(const std::vector<int>& before) const {
        std::vector<int> added;
        for (int id : server_.JobIds("zcli")) {
            if (before.empty() || id > before.back())
                added.push_back(id);
        }
        return added;
    }

    CupsTestServer server_ = CupsTestServer::Shared();
    std::filesystem::path dir_ = "/tmp/zle2e";
};

TEST_F(ZelListCommandTest, ASmallFileArrivesAsTheExpectedStream) {
    const std::vector<int> before = server_.JobIds("zcli");
    std::string err;
    ASSERT_EQ(Zellist("-P zcli /tmp/zle2e/A.TXT", err), 0) << err;
    const std::vector<int> jobs = NewJobs(before);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(server_.WaitForFinalState("zcli", jobs[0]), IPP_JSTATE_COMPLETED);
    EXPECT_EQ(server_.JobTitle("zcli", jobs[0]), "ZelPrint Job");
    EXPECT_EQ(server_.JobData("zcli", jobs[0]), ExpectedListing());
}

TEST_F(ZelListCommandTest, AMissingFileStopsTheRunAndPrintsNothingOfItsJob) {
    const std::vector<int> before = server_.JobIds("zcli");
    std::string err;
    EXPECT_EQ(Zellist("-P zcli /tmp/zle2e/A.TXT /tmp/zle2e/missing.txt /tmp/zle2e/B.TXT", err), 1);
    EXPECT_EQ(err, "File not found.\n");

    const std::vector<int> jobs = NewJobs(before);
    ASSERT_EQ(jobs.size(), 2u) << "the third file must not be printed";
    EXPECT_EQ(server_.WaitForFinalState("zcli", jobs[0]), IPP_JSTATE_COMPLETED);
    EXPECT_EQ(server_.JobData("zcli", jobs[0]), ExpectedListing());
    EXPECT_EQ(server_.WaitForFinalState("zcli", jobs[1]), IPP_JSTATE_CANCELED);
    EXPECT_EQ(server_.JobData("zcli", jobs[1]), "");

    // Nothing was left open: the next run prints.
    ASSERT_EQ(Zellist("-P zcli /tmp/zle2e/B.TXT", err), 0) << err;
    const std::vector<int> next = NewJobs(jobs);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(server_.WaitForFinalState("zcli", next[0]), IPP_JSTATE_COMPLETED);
    EXPECT_NE(server_.JobData("zcli", next[0]).find("      1: b\r\n"), std::string::npos);
}

TEST_F(ZelListCommandTest, TheServersQueuesAreListedWithItsDefault) {
    std::string err;
    const std::string outFile = (dir_ / "list").string();
    ASSERT_EQ(Zellist("--list-printers >'" + outFile + "'", err), 0) << err;
    EXPECT_EQ(test::ReadFile(outFile), "alpha\nbeta  (default)\nreject\nzcli\nzppd\nPCL File\n");
}

TEST_F(ZelListCommandTest, APrintersFormsAndBinsAreDescribed) {
    std::string err;
    const std::string outFile = (dir_ / "describe").string();
    ASSERT_EQ(Zellist("--describe-printer zppd >'" + outFile + "'", err), 0) << err;
    const std::string text = test::ReadFile(outFile);
    EXPECT_NE(text.find("  A4  210.0 x 297.0 mm  code 9\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Letter  215.9 x 279.4 mm  code 1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Legal  215.9 x 355.6 mm  code 5\n"), std::string::npos) << text;
    EXPECT_NE(text.find("code 1\n"), std::string::npos);
    EXPECT_NE(text.find("Default paper: Letter\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Bins:\n"), std::string::npos);

    ASSERT_EQ(Zellist("--describe-printer alpha >'" + outFile + "'", err), 0) << err;
    EXPECT_EQ(test::ReadFile(outFile), "Paper forms of alpha:\n  (none)\nBins:\n  (none)\n"
                                       "Default paper: \nDefault bin: \n");
    EXPECT_EQ(Zellist("--describe-printer nosuch", err), 2);
    EXPECT_NE(err.find("--describe-printer: no printer named 'nosuch'"), std::string::npos);
}

} // namespace
} // namespace zl
