#include "printer/RawPrintJob.h"

#include "platform/Interruption.h"

#include "tests/support/MessageOf.h"
#include "tests/support/RecordingPrintService.h"

#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>

namespace zl {
namespace {

using test::MessageOf;
using test::RecordingPrintService;

class RawPrintJobTest : public ::testing::Test {
protected:
    RawPrintJobTest() { service.printers = {"Laser", "Other"}; }

    RecordingPrintService service;
    RawPrintJob job{service};
};

TEST_F(RawPrintJobTest, AWholeJobIsOneFinishedDocumentWithEveryByte) {
    job.StartJob("Laser", "ZelPrint Job");
    job.WriteData("\x1b"
                  "E",
                  2);
    job.WriteData("abc", 3);
    job.WriteData("", 0);
    job.EndPage();
    job.EndJob();

    ASSERT_EQ(service.jobs.size(), 1u);
    EXPECT_EQ(service.jobs[0].printer, "Laser");
    EXPECT_EQ(service.jobs[0].documentName, "ZelPrint Job");
    EXPECT_EQ(service.jobs[0].type, DataType::Raw);
    EXPECT_EQ(service.jobs[0].Bytes(), "\x1b"
                                       "Eabc");
    EXPECT_TRUE(service.jobs[0].ended);
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(job.JobId(), 1u);
    EXPECT_EQ(service.openJobs, 0);
}

TEST_F(RawPrintJobTest, StartJobTwiceIsRefusedAndTheFirstJobGoesOn) {
    job.StartJob("Laser", "first");
    EXPECT_EQ(MessageOf([&] { job.StartJob("Other", "second"); }),
              "StartJob already called @ StartJob");
    EXPECT_EQ(service.Count("OpenJob"), 1);
    job.WriteData("x", 1);
    job.EndJob();
    ASSERT_EQ(service.jobs.size(), 1u);
    EXPECT_EQ(service.jobs[0].Bytes(), "x");
    EXPECT_EQ(service.jobs[0].documentName, "first");
}

TEST_F(RawPrintJobTest, APrinterThatDoesNotOpenIsNamedInQuotesWithTheCauseAndLeavesNoJob) {
    EXPECT_EQ(MessageOf([&] { job.StartJob("No Such 'Printer", "ZelPrint Job"); }),
              "OpenPrinter()=False @ StartJob with PrinterName:'No Such 'Printer'");
    service.Fail("OpenJob", 1, "cannot reach the print server 127.0.0.1:9");
    EXPECT_EQ(MessageOf([&] { job.StartJob("Laser", "ZelPrint Job"); }),
              "OpenPrinter()=False @ StartJob with PrinterName:'Laser': cannot reach the print "
              "server 127.0.0.1:9");
    EXPECT_FALSE(job.IsOpen());
    EXPECT_TRUE(service.jobs.empty());
}

TEST_F(RawPrintJobTest, WriteWithoutAnOpenJobIsRefused) {
    EXPECT_EQ(MessageOf([&] { job.WriteData("x", 1); }), "no print job @ WriteData");
    job.StartJob("Laser", "ZelPrint Job");
    job.Finish(); // as a byte sink's stream ends: EndJob
    EXPECT_EQ(MessageOf([&] { job.WriteData("x", 1); }), "no print job @ WriteData");
    EXPECT_EQ(service.Count("Write"), 0);
}

// Bytes go to the print service once the job has gathered more than it
// holds, and at its end: a refusal shows there, and stays.
TEST_F(RawPrintJobTest, ARefusedWriteIsReportedWithItsCauseAndEveryWriteAfterItFails) {
    service.Fail("Write", 0, "No space left on device");
    job.StartJob("Laser", "ZelPrint Job");
    job.WriteData("a", 1);
    const std::string more(RawPrintJob::kBufferSize, 'b');
    const std::string refused = "WritePrinter() API failed @ WriteData: No space left on device";
    EXPECT_EQ(
        MessageOf([&] { job.WriteData(more.data(), static_cast<std::int32_t>(more.size())); }),
        refused);
    EXPECT_TRUE(job.IsOpen());
    EXPECT_EQ(MessageOf([&] { job.WriteData("c", 1); }), refused);
    EXPECT_EQ(MessageOf([&] { job.EndJob(); }),
              "EndDocPrinter() API failed @ EndJob: No space left on device");
    EXPECT_TRUE(service.jobs[0].aborted) << "nothing of it prints";
}

TEST_F(RawPrintJobTest, ShortWritesAreContinuedUntilTheJobTakesNothing) {
    service.takeAtMost = 3;
    job.StartJob("Laser", "ZelPrint Job");
    job.WriteData("abcdefgh", 8);
    job.EndJob();
    EXPECT_EQ(service.jobs[0].Bytes(), "abcdefgh");
    service.takeAtMost = -1; // takes nothing, and says it succeeded
    job.StartJob("Laser", "ZelPrint Job");
    job.WriteData("xy", 2);
    EXPECT_EQ(MessageOf([&] { job.EndJob(); }), "EndDocPrinter() API failed @ EndJob");
}

TEST_F(RawPrintJobTest, ARefusedDocumentShowsAtTheFirstWriteAndAtTheEndWithItsCause) {
    service.Fail("StartDocument", 0, "not accepting jobs");
    job.StartJob("Laser", "ZelPrint Job");
    EXPECT_TRUE(job.IsOpen());
    EXPECT_EQ(job.JobId(), 0u);
    EXPECT_EQ(MessageOf([&] { job.WriteData("a", 1); }),
              "WritePrinter() API failed @ WriteData: not accepting jobs");
    EXPECT_EQ(MessageOf([&] { job.EndJob(); }),
              "EndDocPrinter() API failed @ EndJob: not accepting jobs");
    EXPECT_FALSE(job.IsOpen());
}

TEST_F(RawPrintJobTest, AStopSignalEndsTheWritesButLeavesTheCancelToTheCaller) {
    job.StartJob("Laser", "ZelPrint Job");
    RequestStop(SIGTERM);
    EXPECT_THROW(job.WriteData("ab", 2), Interrupted);
    ClearStopRequest();
    EXPECT_TRUE(job.IsOpen());
    EXPECT_EQ(service.Count("Write"), 0);
}

TEST_F(RawPrintJobTest, AJobThatDoesNotFinishIsReportedAndLeavesNoJobOpen) {
    for (bool raises : {false, true}) {
        SCOPED_TRACE(raises ? "raises" : "fails");
        job.StartJob("Laser", "ZelPrint Job");
        if (raises)
            service.Throw("Finish");
        else
            service.Fail("Finish", 0, "the print server closed the connection");
        if (raises)
            EXPECT_THROW(job.EndJob(), std::runtime_error);
        else
            EXPECT_EQ(
                MessageOf([&] { job.EndJob(); }),
                "EndDocPrinter() API failed @ EndJob: the print server closed the connection");
        EXPECT_FALSE(job.IsOpen());
        EXPECT_EQ(service.openJobs, 0);
        EXPECT_TRUE(service.jobs.back().aborted) << "nothing of it prints";
    }
    EXPECT_NO_THROW(job.StartJob("Laser", "ZelPrint Job"));
}

TEST_F(RawPrintJobTest, EndingWithoutAJobDoesNothingAndRaisesNothing) {
    EXPECT_NO_THROW(job.EndPage());
    EXPECT_NO_THROW(job.EndJob());
    EXPECT_FALSE(job.IsOpen());
}

TEST_F(RawPrintJobTest, AbortJobCancelsTheJobNeverRaisesAndLeavesItIdle) {
    for (bool raises : {false, true}) {
        job.StartJob("Laser", "ZelPrint Job");
        job.WriteData("half", 4);
        if (raises)
            service.Throw("Cancel");
        EXPECT_NO_THROW(job.AbortJob());
        EXPECT_FALSE(job.IsOpen());
        EXPECT_TRUE(service.jobs.back().aborted);
        EXPECT_EQ(service.jobs.back().Bytes(), "") << "what was gathered never goes out";
        EXPECT_FALSE(service.jobs.back().ended);
        EXPECT_EQ(service.openJobs, 0);
    }
    EXPECT_EQ(MessageOf([&] { job.WriteData("x", 1); }), "no print job @ WriteData");
    job.AbortJob(); // nothing open: nothing to cancel
    EXPECT_EQ(service.Count("Cancel"), 2);
}

TEST_F(RawPrintJobTest, AJobStillOpenAtTheEndIsCancelled) {
    {
        RawPrintJob scoped(service);
        scoped.StartJob("Other", "ZelPrint Job");
    }
    ASSERT_EQ(service.jobs.size(), 1u);
    EXPECT_TRUE(service.jobs[0].aborted);
    EXPECT_EQ(service.openJobs, 0);
}

} // namespace
} // namespace zl
