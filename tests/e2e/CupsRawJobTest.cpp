// Raw jobs through a real CUPS server.
#include "printer/RawPrintJob.h"
#include "printing/CupsPrintService.h"
#include "printing/SystemPrintService.h"

#include "tests/support/CupsTestServer.h"
#include "tests/support/MessageOf.h"
#include "tests/support/TempDir.h"

#include <cups/ipp.h>
#include <gtest/gtest.h>

namespace zl {
namespace {

using test::CupsTestServer;
using test::MessageOf;
using test::TempDir;

// Prints `bytes` as one job on "alpha" and expects them to arrive whole.
void ExpectPrinted(RawPrintJob& job, const CupsTestServer& server, const std::string& bytes) {
    job.StartJob("alpha", "ZelPrint Job");
    const int id = static_cast<int>(job.JobId());
    job.WriteData(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    job.EndJob();
    EXPECT_EQ(server.WaitForFinalState("alpha", id), IPP_JSTATE_COMPLETED);
    EXPECT_EQ(server.JobData("alpha", id), bytes);
}

class CupsRawJobTest : public ::testing::Test {
protected:
    CupsTestServer server = CupsTestServer::Shared();
    TempDir files;
    SystemPrintService service{std::make_unique<CupsPrintService>(server.Address()),
                               std::make_unique<PclFileService>(files.Path())};
    RawPrintJob job{service};
};

// A raw queue and one whose PPD has filters take the bytes as they are, a
// NUL and what looks like PostScript among them.
TEST_F(CupsRawJobTest, EveryByteArrivesUnchangedUnderTheDocumentName) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    bytes += "\x1b"
             "E\x1b&l2A\r\n\x0c\x1a";
    bytes += std::string(1, '\0') + "%!PS-Adobe-3.0\n";
    for (const char* queue : {"alpha", "zppd"}) {
        job.StartJob(queue, "ZelPrint Job");
        const int id = static_cast<int>(job.JobId());
        ASSERT_GT(id, 0);
        job.WriteData(bytes.data(), 200);
        job.WriteData(bytes.data() + 200, static_cast<std::int32_t>(bytes.size() - 200));
        job.EndJob();
        EXPECT_EQ(server.WaitForFinalState(queue, id), IPP_JSTATE_COMPLETED);
        EXPECT_EQ(server.JobData(queue, id), bytes);
        EXPECT_EQ(server.JobTitle(queue, id), "ZelPrint Job");
    }
}

TEST_F(CupsRawJobTest, TwentyMegabytesOfOneByteWritesArriveWhole) {
    std::string expected(20 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = static_cast<char>((i * 31 + i / 4093) & 0xff);

    job.StartJob("beta", "ZelPrint Job");
    const int id = static_cast<int>(job.JobId());
    for (char c : expected)
        job.WriteData(&c, 1);
    job.EndPage();
    job.EndJob();

    EXPECT_EQ(server.WaitForFinalState("beta", id), IPP_JSTATE_COMPLETED);
    const std::string arrived = server.JobData("beta", id);
    EXPECT_EQ(arrived.size(), expected.size());
    EXPECT_TRUE(arrived == expected);
}

TEST_F(CupsRawJobTest, UnknownQueueIsNamedAndAGoodOneWorksAfterwards) {
    EXPECT_EQ(MessageOf([&] { job.StartJob("nosuchqueue", "ZelPrint Job"); }),
              "OpenPrinter()=False @ StartJob with PrinterName:'nosuchqueue'");
    EXPECT_FALSE(job.IsOpen());
    ExpectPrinted(job, server, "ok");
}

TEST_F(CupsRawJobTest, AQueueThatRejectsJobsFailsAtTheFirstWriteInTheServersWords) {
    job.StartJob("reject", "ZelPrint Job");
    EXPECT_EQ(job.JobId(), 0u);
    const std::string failure = "WritePrinter() API failed @ WriteData: ";
    const std::string message = MessageOf([&] { job.WriteData("x", 1); });
    // The server's words follow, in the language it answers in.
    EXPECT_EQ(message.substr(0, failure.size()), failure);
    EXPECT_GT(message.size(), failure.size());
    job.AbortJob();
    EXPECT_FALSE(job.IsOpen());
}

TEST_F(CupsRawJobTest, AnAbortedJobIsCancelledAndPrintsNothing) {
    job.StartJob("alpha", "ZelPrint Job");
    const int id = static_cast<int>(job.JobId());
    std::string half(300000, 'h'); // some of it already sent to the server
    job.WriteData(half.data(), static_cast<std::int32_t>(half.size()));
    job.AbortJob();
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(server.WaitForFinalState("alpha", id), IPP_JSTATE_CANCELED);
    EXPECT_EQ(server.JobData("alpha", id), "");
}

TEST(CupsStoppedServer, AJobCutOffNamesTheCauseIsCancelledOnceTheServerIsBackAndTheNextPrints) {
    TempDir dir;
    CupsTestServer own = CupsTestServer::StartOwn(dir.Path());
    const std::string address = own.Address();
    CupsPrintService service(address);
    RawPrintJob job(service);
    job.StartJob("alpha", "ZelPrint Job");
    const int cutOff = static_cast<int>(job.JobId());
    job.WriteData("start", 5);
    own.Stop();

    std::string message;
    const std::string block(4096, 'z');
    for (int i = 0; i < 100000 && message.empty(); ++i)
        message = MessageOf([&] { job.WriteData(block.data(), 4096); });
    EXPECT_EQ(message, "WritePrinter() API failed @ WriteData: the print server " + address +
                           " closed the connection");
    job.AbortJob(); // its cancel cannot reach the server
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(MessageOf([&] { job.StartJob("alpha", "ZelPrint Job"); }),
              "OpenPrinter()=False @ StartJob with PrinterName:'alpha': cannot reach the print "
              "server " +
                  address);

    own.Restart();
    ExpectPrinted(job, own, "next");
    EXPECT_EQ(own.WaitForFinalState("alpha", cutOff), IPP_JSTATE_CANCELED);
    EXPECT_EQ(own.JobData("alpha", cutOff), "");
}

} // namespace
} // namespace zl
