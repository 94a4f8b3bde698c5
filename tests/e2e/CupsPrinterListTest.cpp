// The printer list on a real CUPS server, and without one.
#include "printer/PrinterList.h"
#include "printer/RawPrintJob.h"
#include "printing/CupsPrintService.h"
#include "printing/SystemPrintService.h"

#include "tests/support/CupsTestServer.h"
#include "tests/support/MessageOf.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>

namespace zl {
namespace {

using test::CupsTestServer;
using test::MessageOf;
using test::TempDir;

std::unique_ptr<SystemPrintService> ServiceOn(const std::string& server, const TempDir& files,
                                              CupsTimeLimits limits = {}) {
    return std::make_unique<SystemPrintService>(std::make_unique<CupsPrintService>(server, limits),
                                                std::make_unique<PclFileService>(files.Path()));
}

// Seconds since `start`.
double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(CupsPrinterList, QueuesInServerOrderThenPclFileWithTheServersDefault) {
    TempDir files;
    auto service = ServiceOn(CupsTestServer::Shared().Address(), files);
    PrinterList printer(*service);
    EXPECT_EQ(printer.EntryNames(), (std::vector<std::string>{"alpha", "beta", "greenbar", "reject",
                                                              "zcli", "zppd", "PCL File"}));
    EXPECT_EQ(printer.CurrentIndex(), 1);
    EXPECT_NE(printer.Device(), nullptr) << "beta, with its settings";

    printer.SetCurrentIndex(6);
    EXPECT_EQ(printer.CurrentIndex(), 6);
    printer.SetCurrentIndex(-1);
    EXPECT_EQ(printer.CurrentIndex(), 1);
    EXPECT_THROW(printer.SetCurrentIndex(7), PrintFailure);
    EXPECT_EQ(printer.CurrentIndex(), 1);
}

TEST(CupsPrinterList, WithoutAServerOnlyPclFileIsListedAndIsTheDefault) {
    TempDir files;
    auto service = ServiceOn("127.0.0.1:1", files);
    PrinterList printer(*service);
    EXPECT_EQ(printer.EntryNames(), (std::vector<std::string>{"PCL File"}));
    EXPECT_EQ(printer.CurrentIndex(), 0);
    EXPECT_EQ(service->FallbackNote(), "cannot reach the print server 127.0.0.1:1");

    // And it prints.
    RawPrintJob job(*service);
    job.StartJob(printer.EntryNames()[0], "ZelPrint Job");
    job.WriteData("\x1b"
                  "E",
                  2);
    job.EndJob();
    EXPECT_EQ(test::ReadFile(files / "ZelPrint Job-0001.pcl"), "\x1b"
                                                               "E");
}

TEST(CupsPrinterList, ASilentServerCostsOneTimeLimitAndIsNamed) {
    test::SilentServer silent;
    const std::string cause = "the print server " + silent.Address() + " does not answer";
    CupsTimeLimits limits;
    limits.lookup = std::chrono::seconds(1);
    TempDir files;
    auto service = ServiceOn(silent.Address(), files, limits);

    // The window: "PCL File" alone, and why.
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(service->Printers().names, (std::vector<std::string>{"PCL File"}));
    EXPECT_EQ(service->FallbackNote(), cause);
    EXPECT_GE(SecondsSince(start), 1.0);
    EXPECT_LT(SecondsSince(start), 5.0);

    // The look-ups after it fail at once, with the same cause.
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(MessageOf([&] { service->Capabilities("alpha"); }), cause);
    RawPrintJob job(*service);
    EXPECT_EQ(MessageOf([&] { job.StartJob("alpha", "ZelPrint Job"); }),
              "OpenPrinter()=False @ StartJob with PrinterName:'alpha': " + cause);
    EXPECT_LT(SecondsSince(start), 0.5);

    // The command line: a failure. A refresh does not make the next look-up
    // wait again while the server stays silent.
    service->SetFailWhenServerSilent(true);
    service->RefreshLookups();
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(MessageOf([&] { service->Printers(); }), cause);
    EXPECT_LT(SecondsSince(start), 0.5);
}

} // namespace
} // namespace zl
