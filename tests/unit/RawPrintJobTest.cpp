#include "printer/RawPrintJob.h"

#include "platform/Interruption.h"

#include "tests/support/RecordingSpooler.h"

#include "tests/support/MessageOf.h"

#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>

namespace zl {
namespace {

using test::MessageOf;
using test::RecordingSpooler;

class RawPrintJobTest : public ::testing::Test {
protected:
    RawPrintJobTest() { spooler.printers = {{"Laser", ""}, {"Other", ""}}; }

    RecordingSpooler spooler;
    RawPrintJob job{spooler};
};

TEST_F(RawPrintJobTest, WholeJobMakesTheSpoolerCallsInOrder) {
    job.StartJob("Laser", "ZelPrint Job");
    job.WriteData("\x1b"
                  "E",
                  2);
    job.WriteData("abc", 3);
    job.EndPage();
    job.EndJob();

    EXPECT_EQ(spooler.calls,
              (std::vector<std::string>{"OpenPrinter(Laser)", "StartDocPrinter(ZelPrint Job,RAW)",
                                        "StartPagePrinter()", "WritePrinter(2)", "WritePrinter(3)",
                                        "EndPagePrinter()", "EndPagePrinter()", "EndDocPrinter()",
                                        "ClosePrinter()"}));
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_EQ(spooler.jobs[0].printer, "Laser");
    EXPECT_EQ(spooler.jobs[0].doc.outputFile, nullptr);
    EXPECT_EQ(spooler.jobs[0].writes, (std::vector<std::string>{"\x1b"
                                                                "E",
                                                                "abc"}));
    EXPECT_TRUE(spooler.jobs[0].ended);
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(spooler.openHandles, 0);
}

TEST_F(RawPrintJobTest, StartJobTwiceIsRefusedAndTheFirstJobGoesOn) {
    job.StartJob("Laser", "first");
    EXPECT_EQ(MessageOf([&] { job.StartJob("Other", "second"); }),
              "StartJob already called @ StartJob");
    EXPECT_EQ(spooler.Count("OpenPrinter"), 1);
    job.WriteData("x", 1);
    job.EndJob();
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_EQ(spooler.jobs[0].Bytes(), "x");
    EXPECT_EQ(spooler.jobs[0].doc.docName, "first");
}

TEST_F(RawPrintJobTest, UnknownPrinterIsNamedInQuotesAndLeavesNoJob) {
    EXPECT_EQ(MessageOf([&] { job.StartJob("No Such 'Printer", "ZelPrint Job"); }),
              "OpenPrinter()=False @ StartJob with PrinterName:'No Such 'Printer'");
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(spooler.Count("StartDocPrinter"), 0);
    job.StartJob("Laser", "ZelPrint Job");
    EXPECT_TRUE(job.IsOpen());
}

TEST_F(RawPrintJobTest, WriteWithoutAnOpenJobIsRefused) {
    EXPECT_EQ(MessageOf([&] { job.WriteData("x", 1); }), "no print job @ WriteData");
    job.StartJob("Laser", "ZelPrint Job");
    job.EndJob();
    EXPECT_EQ(MessageOf([&] { job.WriteData("x", 1); }), "no print job @ WriteData");
    EXPECT_EQ(spooler.Count("WritePrinter"), 0);
}

TEST_F(RawPrintJobTest, EveryWriteIsExactlyOneSpoolerWriteEvenOfNothing) {
    job.StartJob("Laser", "ZelPrint Job");
    job.WriteData("", 0);
    EXPECT_EQ(spooler.Count("WritePrinter"), 1);
    EXPECT_EQ(spooler.calls.back(), "WritePrinter(0)");
}

TEST_F(RawPrintJobTest, RefusedWriteIsReportedWithItsCauseAndTheJobStaysOpen) {
    spooler.Fail("WritePrinter", 1, ERROR_WRITE_FAULT, "No space left on device");
    job.StartJob("Laser", "ZelPrint Job");
    job.WriteData("a", 1);
    EXPECT_EQ(MessageOf([&] { job.WriteData("b", 1); }),
              "WritePrinter() API failed @ WriteData: No space left on device");
    EXPECT_TRUE(job.IsOpen());
}

TEST_F(RawPrintJobTest, ShortWritesAreContinuedUntilTheSpoolerTakesNothing) {
    spooler.takeAtMost = 3;
    job.StartJob("Laser", "ZelPrint Job");
    job.WriteData("abcdefgh", 8);
    EXPECT_EQ(spooler.jobs[0].writes, (std::vector<std::string>{"abc", "def", "gh"}));
    spooler.takeAtMost = -1; // takes nothing, and says it succeeded
    EXPECT_EQ(MessageOf([&] { job.WriteData("xy", 2); }), "WritePrinter() API failed @ WriteData");
}

TEST_F(RawPrintJobTest, RefusedDocumentShowsAtTheFirstWriteWithItsCause) {
    spooler.Fail("StartDocPrinter", 0, ERROR_NOT_READY, "not accepting jobs");
    spooler.Fail("StartPagePrinter");
    job.StartJob("Laser", "ZelPrint Job");
    EXPECT_TRUE(job.IsOpen());
    EXPECT_EQ(MessageOf([&] { job.WriteData("a", 1); }),
              "WritePrinter() API failed @ WriteData: not accepting jobs");
}

TEST_F(RawPrintJobTest, AStopSignalEndsTheWritesButLeavesTheCancelToTheCaller) {
    job.StartJob("Laser", "ZelPrint Job");
    RequestStop(SIGTERM);
    EXPECT_THROW(job.WriteData("ab", 2), Interrupted);
    ClearStopRequest();
    EXPECT_TRUE(job.IsOpen());
    EXPECT_EQ(spooler.Count("WritePrinter"), 0);
}

TEST_F(RawPrintJobTest, EndJobLeavesNoJobOpenWhenEverySpoolerCallFails) {
    job.StartJob("Laser", "ZelPrint Job");
    for (const char* op : {"EndPagePrinter", "EndDocPrinter", "ClosePrinter"})
        spooler.Fail(op);
    // The document did not complete: that is reported, after the clean-up.
    EXPECT_EQ(MessageOf([&] { job.EndJob(); }), "EndDocPrinter() API failed @ EndJob");
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(spooler.openHandles, 0);
    job.StartJob("Laser", "ZelPrint Job");
    EXPECT_TRUE(job.IsOpen());
}

TEST_F(RawPrintJobTest, EndJobLeavesNoJobOpenWhenASpoolerCallThrows) {
    job.StartJob("Laser", "ZelPrint Job");
    spooler.Throw("EndDocPrinter");
    EXPECT_THROW(job.EndJob(), std::runtime_error);
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(spooler.Count("ClosePrinter"), 1);
    EXPECT_EQ(spooler.openHandles, 0);
    EXPECT_NO_THROW(job.StartJob("Laser", "ZelPrint Job"));
}

TEST_F(RawPrintJobTest, EndingWithoutAJobDoesNothingAndRaisesNothing) {
    EXPECT_NO_THROW(job.EndPage());
    EXPECT_NO_THROW(job.EndJob());
    EXPECT_FALSE(job.IsOpen());
}

TEST_F(RawPrintJobTest, AbortJobCancelsTheJobAndLeavesItIdle) {
    job.StartJob("Laser", "ZelPrint Job");
    job.WriteData("half", 4);
    job.AbortJob();
    EXPECT_FALSE(job.IsOpen());
    EXPECT_TRUE(spooler.jobs[0].aborted);
    EXPECT_FALSE(spooler.jobs[0].ended);
    EXPECT_EQ(spooler.calls.back(), "ClosePrinter()");
    EXPECT_EQ(spooler.openHandles, 0);
    EXPECT_EQ(MessageOf([&] { job.WriteData("x", 1); }), "no print job @ WriteData");

    const auto callsBefore = spooler.calls.size();
    job.AbortJob(); // nothing open: no spooler call
    EXPECT_EQ(spooler.calls.size(), callsBefore);
}

TEST_F(RawPrintJobTest, AbortJobNeverRaisesEvenWhenTheSpoolerDoes) {
    job.StartJob("Laser", "ZelPrint Job");
    spooler.Throw("AbortPrinter");
    spooler.Throw("ClosePrinter");
    EXPECT_NO_THROW(job.AbortJob());
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(spooler.openHandles, 0);
}

TEST_F(RawPrintJobTest, AJobStillOpenAtTheEndIsCancelled) {
    {
        RawPrintJob scoped(spooler);
        scoped.StartJob("Other", "ZelPrint Job");
    }
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_TRUE(spooler.jobs[0].aborted);
    EXPECT_EQ(spooler.openHandles, 0);
}

} // namespace
} // namespace zl
