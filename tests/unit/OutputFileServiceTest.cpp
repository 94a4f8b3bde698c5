#include "printing/OutputFileService.h"
#include "platform/Interruption.h"
#include "printer/RawPrintJob.h"

#include "tests/support/MessageOf.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <future>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zl {
namespace {

namespace fs = std::filesystem;
using test::FileNames;
using test::MessageOf;
using test::ReadFile;
using test::TempDir;

// Windows keeps no POSIX file modes, only a read-only flag, and creating a
// symbolic link there takes a privilege.
#ifdef _WIN32
constexpr bool kPosixFiles = false;
#else
constexpr bool kPosixFiles = true;
#endif

class OutputFileServiceTest : public ::testing::Test {
protected:
    void Write(const std::string& bytes) {
        job.WriteData(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    }

    TempDir dir;
    OutputFileService service{dir / "out.pcl"};
    RawPrintJob job{service};
};

TEST_F(OutputFileServiceTest, DocumentsFollowOneAnotherInTheFile) {
    job.StartJob(OutputFileService::kPrinterName, "ZelPrint Job");
    Write("first\x1b"
          "E");
    job.EndJob();
    job.StartJob(OutputFileService::kPrinterName, "ZelPrint Job");
    Write(std::string(100000, 's'));
    job.EndJob();
    EXPECT_EQ(ReadFile(dir / "out.pcl"), "first\x1b"
                                         "E" +
                                             std::string(100000, 's'));
}

TEST_F(OutputFileServiceTest, ACancelledDocumentIsCutOffAgain) {
    job.StartJob(OutputFileService::kPrinterName, "ZelPrint Job");
    Write("kept");
    job.EndJob();
    job.StartJob(OutputFileService::kPrinterName, "ZelPrint Job");
    Write(std::string(200000, 'x'));
    job.AbortJob();
    EXPECT_EQ(ReadFile(dir / "out.pcl"), "kept");
    job.StartJob(OutputFileService::kPrinterName, "ZelPrint Job");
    Write("next");
    job.EndJob();
    EXPECT_EQ(ReadFile(dir / "out.pcl"), "keptnext");
    EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"out.pcl"});
}

// A first document that does not complete leaves no file behind and the
// file that was there as it was: cancelled, ended by a stop signal that came
// while its bytes were being stored, or refused its place because a folder
// took the name meanwhile (then the end fails, naming why).
TEST_F(OutputFileServiceTest, AFirstDocumentThatDoesNotCompleteLeavesWhatWasThereAsItWas) {
    enum class End { Cancelled, StopSignal, NameTaken };
    for (End end : {End::Cancelled, End::StopSignal, End::NameTaken}) {
        for (bool existed : {false, true}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(end)) +
                         (existed ? " an existing file" : " no file"));
            fs::remove_all(dir / "out.pcl");
            if (existed) {
                test::WriteFile(dir / "out.pcl", "older listing");
                fs::permissions(dir / "out.pcl", fs::perms(0640));
            }
            job.StartJob(OutputFileService::kPrinterName, "ZelPrint Job");
            Write(std::string(200000, 'x'));
            if (end == End::Cancelled) {
                job.AbortJob();
            } else if (end == End::StopSignal) {
                RequestStop(SIGTERM);
                EXPECT_THROW(job.EndJob(), Interrupted);
                ClearStopRequest();
            } else {
                fs::remove_all(dir / "out.pcl");
                fs::create_directories(dir / "out.pcl" / "inside");
                EXPECT_NE(MessageOf([&] {
                              job.EndJob();
                          }).find("cannot replace " + (dir / "out.pcl").string()),
                          std::string::npos);
                EXPECT_EQ(FileNames(dir.Path()), std::vector<std::string>{"out.pcl"});
                continue;
            }
            EXPECT_EQ(FileNames(dir.Path()),
                      existed ? std::vector<std::string>{"out.pcl"} : std::vector<std::string>{});
            if (existed) {
                EXPECT_EQ(ReadFile(dir / "out.pcl"), "older listing");
                if (kPosixFiles) {
                    EXPECT_EQ(fs::status(dir / "out.pcl").permissions(), fs::perms(0640));
                }
            }
        }
    }
}

TEST_F(OutputFileServiceTest, AFileIsReplacedKeepingItsModeAndALinkStaysALink) {
    for (bool throughLink : {false, kPosixFiles}) {
        SCOPED_TRACE(throughLink ? "through a link" : "the file itself");
        test::WriteFile(dir / "old.pcl", "older listing");
        fs::permissions(dir / "old.pcl", fs::perms(0604));
        if (throughLink)
            fs::create_symlink("old.pcl", dir / "link.pcl");
        OutputFileService replacing(dir / (throughLink ? "link.pcl" : "old.pcl"));
        RawPrintJob replacingJob(replacing);
        replacingJob.StartJob(OutputFileService::kPrinterName, "ZelPrint Job");
        replacingJob.WriteData("new", 3);
        replacingJob.EndJob();
        EXPECT_EQ(ReadFile(dir / "old.pcl"), "new");
        if (kPosixFiles) {
            EXPECT_EQ(fs::status(dir / "old.pcl").permissions(), fs::perms(0604));
        }
        if (throughLink) {
            EXPECT_EQ(fs::read_symlink(dir / "link.pcl"), "old.pcl");
        }
        EXPECT_EQ(FileNames(dir.Path()).size(), throughLink ? 2u : 1u);
    }
}

TEST_F(OutputFileServiceTest, AMissingFolderFailsAtTheFirstWriteNamingIt) {
    const fs::path out = dir / "no" / "out.pcl";
    OutputFileService unwritable(out);
    RawPrintJob failing(unwritable);
    failing.StartJob(OutputFileService::kPrinterName, "ZelPrint Job");
    EXPECT_EQ(MessageOf([&] { failing.WriteData("x", 1); }),
              "WritePrinter() API failed @ WriteData: cannot create a file beside " + out.string() +
                  ": No such file or directory");
}

// Devices are written straight through and stay; a full one fails the job
// where its bytes first go out: small jobs at the end, large ones at once.
TEST(OutputFileServiceDevice, IsWrittenStraightThroughAndNamesWhatFailed) {
#ifdef _WIN32
    GTEST_SKIP() << "needs /dev/null and /dev/full";
#else
    const struct {
        const char* device;
        std::size_t size;
        const char* message;
    } cases[] = {
        {"/dev/null", 10, ""},
        {"/dev/full", 10, "EndDocPrinter() API failed @ EndJob: No space left on device"},
        {"/dev/full", 200000, "WritePrinter() API failed @ WriteData: No space left on device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.device) + " " + std::to_string(c.size));
        OutputFileService device(c.device);
        RawPrintJob deviceJob(device);
        const std::string bytes(c.size, 'x');
        EXPECT_EQ(MessageOf([&] {
                      deviceJob.StartJob(OutputFileService::kPrinterName, "ZelPrint Job");
                      deviceJob.WriteData(bytes.data(), static_cast<std::int32_t>(bytes.size()));
                      deviceJob.EndJob();
                  }),
                  c.message);
        deviceJob.AbortJob();
        EXPECT_FALSE(device.EndsIncomplete());
        EXPECT_EQ(fs::symlink_status(c.device).type(), fs::file_type::character);
    }
#endif
}

#ifndef _WIN32

std::string ReadToEnd(int fd) {
    std::string bytes;
    char block[65536];
    for (ssize_t n; (n = read(fd, block, sizeof block)) > 0;)
        bytes.append(block, static_cast<std::size_t>(n));
    close(fd);
    return bytes;
}

// Ends one document and cancels the next once part of it went out.
void EndOneAndCancelOneMidway(OutputFileService& service) {
    const auto open = [&] {
        return service.OpenJob(OutputFileService::kPrinterName, "ZelPrint Job", DataType::Raw);
    };
    const std::string second(200000, 'x'); // the job writes it out at once
    std::unique_ptr<PrintJob> job = open();
    job->Write("first", 5);
    job->Finish();
    EXPECT_FALSE(service.EndsIncomplete());
    job = open();
    job->Write(second.data(), second.size());
    EXPECT_THROW(job->Cancel(), PrintFailure);
    EXPECT_TRUE(service.EndsIncomplete());
    EXPECT_THROW(open(), PrintFailure); // nothing follows a partial listing
}
#endif

TEST(OutputFileServiceStream, APipeOrStandardOutputIsWrittenStraightThroughAndStays) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a FIFO and POSIX pipes";
#else
    TempDir dir;
    const fs::path fifo = dir / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (bool standardOutput : {false, true}) {
        SCOPED_TRACE(standardOutput ? "-" : "a FIFO");
        // The read end, and a write end held here until the service is done,
        // so that the reader sees the end only then.
        int readEnd = -1;
        int heldWriteEnd = -1;
        int savedOutput = -1;
        if (standardOutput) {
            int ends[2];
            ASSERT_EQ(pipe(ends), 0);
            std::fflush(stdout);
            savedOutput = dup(1);
            ASSERT_EQ(dup2(ends[1], 1), 1);
            readEnd = ends[0];
            heldWriteEnd = ends[1];
        } else {
            readEnd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
            heldWriteEnd = open(fifo.c_str(), O_WRONLY);
            ASSERT_EQ(fcntl(readEnd, F_SETFL, 0), 0);
        }
        std::future<std::string> received = std::async(std::launch::async, ReadToEnd, readEnd);
        {
            OutputFileService service(standardOutput ? fs::path("-") : fifo);
            EndOneAndCancelOneMidway(service);
        }
        if (standardOutput)
            dup2(savedOutput, 1);
        close(heldWriteEnd);
        const std::string bytes = received.get();
        EXPECT_TRUE(bytes == "first" + std::string(200000, 'x')) << bytes.size() << " bytes";
        if (standardOutput) {
            close(savedOutput);
            EXPECT_NE(fcntl(1, F_GETFD), -1); // standard output stays open
        }
    }
    EXPECT_EQ(fs::symlink_status(fifo).type(), fs::file_type::fifo);
#endif
}

} // namespace
} // namespace zl
