// One listing as one raw job: the printer entry at the index, nothing opened
// before the file is, and a failure after the job opened cancels it.
#include "printer/ListingJob.h"

#include "tests/support/MessageOf.h"
#include "tests/support/RecordingPrintService.h"
#include "tests/unit/engine/ListingComposerFixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace zl {
namespace composer_test {
namespace {

using test::MessageOf;
using test::RecordedJob;
using test::RecordingPrintService;

// The composer's fixture, printing through a raw job on a recording service.
class ListingJobTest : public ListingComposerTest {
protected:
    ListingJobTest() { service.printers = {"Laser", "Other"}; }

    // Prints `bytes` as the file kPath on the first printer; the job's bytes.
    std::string Print(const std::string& bytes) {
        Put(kPath, bytes);
        PrintListing(kPath, "Laser");
        return service.jobs.empty() ? std::string() : service.jobs.back().Bytes();
    }

    void ExpectCancelled(const RecordedJob& recorded) {
        EXPECT_TRUE(recorded.aborted);
        EXPECT_FALSE(recorded.ended);
        EXPECT_FALSE(job.IsOpen());
        EXPECT_EQ(service.openJobs, 0);
    }

    // One listing as the window and the command line print it, with the
    // options as they are now.
    void PrintListing(const std::string& path, const std::string& printer) {
        ListingComposer composer = Composer();
        ListingJob(job, composer).PrintListing(path, printer);
    }

    RecordingPrintService service;
    RawPrintJob job{service};
};

TEST_F(ListingJobTest, TheListingGoesToThePrinterNamed) {
    EXPECT_EQ(Print("ab\r\ncd\r\n"), Joined(WorkedExample()));
    ASSERT_EQ(service.jobs.size(), 1u);
    EXPECT_EQ(service.jobs[0].printer, "Laser");
    EXPECT_EQ(service.jobs[0].documentName, "ZelPrint Job");
    EXPECT_EQ(service.jobs[0].type, DataType::Raw);
    EXPECT_TRUE(service.jobs[0].ended);
    EXPECT_FALSE(service.jobs[0].aborted);
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(service.openJobs, 0);

    PrintListing(kPath, "Other");
    ASSERT_EQ(service.jobs.size(), 2u);
    EXPECT_EQ(service.jobs[1].printer, "Other");
    EXPECT_EQ(service.jobs[1].documentName, "ZelPrint Job");
    EXPECT_EQ(service.jobs[1].Bytes(), Joined(WorkedExample()));
    EXPECT_TRUE(service.jobs[1].ended);
}

TEST_F(ListingJobTest, PrinterThatCannotBeOpenedLeavesNothingOpen) {
    service.Fail("OpenJob", 0);
    Put(kPath, "ab");
    EXPECT_EQ(MessageOf([&] { PrintListing(kPath, "Laser"); }),
              "OpenPrinter()=False @ StartJob with PrinterName:'Laser'");
    EXPECT_TRUE(service.jobs.empty());
    EXPECT_EQ(service.openJobs, 0);
    service.Fail("OpenJob", INT_MAX);
    EXPECT_EQ(Print("ab\r\ncd\r\n"), Joined(WorkedExample()));
}

TEST_F(ListingJobTest, FileThatCannotBeOpenedOpensNoJob) {
    Put("C:/TEMP/OTHER.TXT", "");
    const std::string tooLong = "C:/TEMP/" + std::string(300, 'L') + ".TXT";
    struct Case {
        std::string path;
        const char* message;
    };
    const Case cases[] = {{"C:/TEMP/NONE.TXT", "File not found"},
                          {"C:/NOWHERE/A.TXT", "File not found"},
                          {"C:/TEMP", "File access denied"},
                          {tooLong, "Invalid filename"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.substr(0, 20));
        EXPECT_EQ(MessageOf([&] { PrintListing(c.path, "Laser"); }), c.message);
    }
    EXPECT_THROW(PrintListing("C:/TEMP/NONE.TXT", "Laser"), InputFailure);
    EXPECT_EQ(service.Count("OpenJob"), 0);
    EXPECT_TRUE(service.jobs.empty());
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(Print("ab\r\ncd\r\n"), Joined(WorkedExample()));
    EXPECT_TRUE(service.jobs.back().ended);
}

TEST_F(ListingJobTest, ReadFailureMidFileCancelsTheJob) {
    // The first read gives "ab" CR; the second, for the LF after it, fails.
    ListingComposer reading(options, clock, names,
                            [](const std::string&) -> std::unique_ptr<InputSource> {
                                return std::make_unique<FailingSource>("ab\r\ncd\r\n", 3, 2);
                            });
    ListingJob readingJob(job, reading);
    EXPECT_EQ(MessageOf([&] { readingJob.PrintListing(kPath, "Laser"); }), "I/O error 5");
    ASSERT_EQ(service.jobs.size(), 1u);
    EXPECT_EQ(service.jobs[0].Bytes(), "") << "nothing gathered goes out after the cancel";
    ExpectCancelled(service.jobs[0]);
}

// A refused write cancels the job and closes the file, whether it comes in
// the middle of a listing larger than the job gathers or with its end.
TEST_F(ListingJobTest, ARefusedWriteCancelsTheJobAndClosesTheFile) {
    const int descriptors = OpenDescriptors();
    const struct {
        std::string file;
        const char* message;
    } cases[] = {
        {Lines(20000, "x"), "WritePrinter() API failed @ WriteData"},
        {"ab\r\ncd\r\n", "EndDocPrinter() API failed @ EndJob"},
    };
    service.Fail("Write", 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Put(kPath, c.file);
        EXPECT_EQ(MessageOf([&] { PrintListing(kPath, "Laser"); }), c.message);
        ExpectCancelled(service.jobs.back());
        EXPECT_EQ(OpenDescriptors(), descriptors) << "the file is closed";
    }

    service.Fail("Write", INT_MAX);
    EXPECT_EQ(Print("ab\r\ncd\r\n"), Joined(WorkedExample()));
    EXPECT_TRUE(service.jobs.back().ended);
}

TEST_F(ListingJobTest, AnUnknownEncodingOpensNoJob) {
    options.inputEncoding = "no-such-encoding";
    Put(kPath, "ab");
    EXPECT_EQ(MessageOf([&] { PrintListing(kPath, "Laser"); }),
              "unknown input encoding 'no-such-encoding'");
    EXPECT_EQ(service.Count("OpenJob"), 0);
    EXPECT_TRUE(service.jobs.empty());
    EXPECT_FALSE(job.IsOpen());
}

} // namespace
} // namespace composer_test
} // namespace zl
