#include "printing/PclFileService.h"
#include "printer/RawPrintJob.h"

#include "tests/support/MessageOf.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

#ifndef _WIN32
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace zl {
namespace {

using test::FileNames;
using test::ReadFile;
using test::TempDir;

// Every byte value, the printer's control bytes among them.
std::string AllBytes() {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes + "\r\n\x1b"
                   "E\x1a";
}

class PclFileServiceTest : public ::testing::Test {
protected:
    void Print(const std::string& bytes) {
        job.StartJob("PCL File", "ZelPrint Job");
        job.WriteData(bytes.data(), static_cast<std::int32_t>(bytes.size()));
        job.EndPage();
        job.EndJob();
    }

    TempDir dir;
    PclFileService service{dir.Path()};
    RawPrintJob job{service};
};

TEST_F(PclFileServiceTest, EachJobLandsInANewFileByteForByte) {
    Print(AllBytes());
    Print("second");
    EXPECT_EQ(FileNames(dir.Path()),
              (std::vector<std::string>{"ZelPrint Job-0001.pcl", "ZelPrint Job-0002.pcl"}));
    EXPECT_EQ(ReadFile(dir / "ZelPrint Job-0001.pcl"), AllBytes());
    EXPECT_EQ(ReadFile(dir / "ZelPrint Job-0002.pcl"), "second");
    EXPECT_EQ(service.LastOutput(), dir / "ZelPrint Job-0002.pcl");
}

TEST_F(PclFileServiceTest, AnExistingFileIsNeverOverwritten) {
    test::WriteFile(dir / "ZelPrint Job-0001.pcl", "keep me");
    PclFileService other(dir.Path());
    RawPrintJob otherJob(other);
    otherJob.StartJob("PCL File", "ZelPrint Job");
    Print("mine");
    otherJob.WriteData("theirs", 6);
    otherJob.EndJob();
    EXPECT_EQ(ReadFile(dir / "ZelPrint Job-0001.pcl"), "keep me");
    EXPECT_EQ(ReadFile(dir / "ZelPrint Job-0002.pcl"), "mine");
    EXPECT_EQ(ReadFile(dir / "ZelPrint Job-0003.pcl"), "theirs");
}

TEST_F(PclFileServiceTest, AnAbandonedJobLeavesNoFile) {
    job.StartJob("PCL File", "ZelPrint Job");
    std::string big(200000, 'x'); // more than is gathered before a write
    job.WriteData(big.data(), static_cast<std::int32_t>(big.size()));
    job.AbortJob();
    EXPECT_TRUE(FileNames(dir.Path()).empty());

    // Dropped without ending it: also nothing.
    service.OpenJob("PCL File", "ZelPrint Job", DataType::Raw)->Write("abc", 3);
    EXPECT_TRUE(FileNames(dir.Path()).empty());
}

TEST_F(PclFileServiceTest, OneByteWritesArriveWhole) {
    std::string expected(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
    job.StartJob("PCL File", "ZelPrint Job");
    for (char c : expected)
        job.WriteData(&c, 1);
    job.EndJob();
    EXPECT_EQ(ReadFile(dir / "ZelPrint Job-0001.pcl"), expected);
}

TEST_F(PclFileServiceTest, AnUnusableFolderFailsAtTheFirstWriteNamingTheCause) {
    test::WriteFile(dir / "not-a-folder", "");
    PclFileService blocked(dir / "not-a-folder" / "out");
    RawPrintJob blockedJob(blocked);
    blockedJob.StartJob("PCL File", "ZelPrint Job");
    EXPECT_EQ(test::MessageOf([&] { blockedJob.WriteData("x", 1); }),
              "WritePrinter() API failed @ WriteData: cannot create the folder " +
                  (dir / "not-a-folder" / "out").string() + ": Not a directory");
    blockedJob.AbortJob();
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"not-a-folder"});
}

TEST_F(PclFileServiceTest, TemporariesOfEndedProcessesAreRemovedAndNothingElse) {
#ifdef _WIN32
    GTEST_SKIP() << "needs fork for the number of a process that has ended";
#else
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    ASSERT_GT(ended, 0);
    ASSERT_EQ(waitpid(ended, nullptr, 0), ended);
    const std::string gone = std::to_string(ended);
    const std::string mine = std::to_string(getpid());
    const std::vector<std::string> kept{
        ".ZelPrint Job-" + mine + "-7.part", // this process's own
        ".ZelPrint Job-1-2.part",            // a process that runs
        ".x-" + gone + "-3.part.old",
        ".x-" + gone + "-03.part",
        ".x-0" + gone + "-3.part",
        ".x-" + gone + "-.part",
        ".x" + gone + "-3.part",
        ".-" + gone + "-3.part",
        "x-" + gone + "-3.part",
    };
    for (const std::string& name : kept)
        test::WriteFile(dir / name, "");
    test::WriteFile(dir / (".ZelPrint Job-" + gone + "-3.part"), "abandoned");
    std::filesystem::create_directory(dir / (".folder-" + gone + "-1.part"));
    Print("new");
    std::vector<std::string> expected = kept;
    expected.push_back(".folder-" + gone + "-1.part");
    expected.push_back("ZelPrint Job-0001.pcl");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FileNames(dir.Path()), expected);
#endif
}

TEST(PclFileServiceOutputDir, ComesFromTheEnvironmentAndIsMadeWhenMissing) {
    TempDir dir;
    {
        test::ScopedEnv outputDir("ZELLIST_OUTPUT_DIR", (dir / "new" / "folder").string());
        PclFileService service;
        EXPECT_EQ(service.OutputDir(), dir / "new" / "folder");
        RawPrintJob job(service);
        job.StartJob("PCL File", "ZelPrint Job");
        job.WriteData("ok", 2);
        job.EndJob();
    }
    EXPECT_EQ(ReadFile(dir / "new" / "folder" / "ZelPrint Job-0001.pcl"), "ok");

#ifdef _WIN32
    test::ScopedEnv home("USERPROFILE", dir.Path().string());
#else
    test::ScopedEnv home("HOME", dir.Path().string());
#endif
    EXPECT_EQ(PclFileService().OutputDir(), dir / "ZelList");
#ifndef _WIN32
    // Without HOME, the account's home; never the current folder.
    test::ScopedEnv noHome("HOME", "");
    EXPECT_EQ(PclFileService().OutputDir(),
              std::filesystem::path(getpwuid(getuid())->pw_dir) / "ZelList");
#endif
}

} // namespace
} // namespace zl
