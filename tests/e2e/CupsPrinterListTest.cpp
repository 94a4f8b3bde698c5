// The printer list on a real CUPS server, and without one.
#include "platform/CupsSpooler.h"
#include "platform/SystemSpooler.h"
#include "printer/PrinterList.h"
#include "printer/RawPrintJob.h"

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

std::unique_ptr<SystemSpooler> SpoolerOn(const std::string& server, const TempDir& files,
                                         CupsTimeLimits limits = {}) {
    return std::make_unique<SystemSpooler>(std::make_unique<CupsSpooler>(server, limits),
                                           std::make_unique<FileSpooler>(files.Path()));
}

std::vector<std::string> Names(const std::vector<PrinterInfo>& printers) {
    std::vector<std::string> names;
    for (const PrinterInfo& printer : printers)
        names.push_back(printer.printerName);
    return names;
}

// Seconds since `start`.
double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(CupsPrinterList, QueuesInServerOrderThenPclFileWithTheServersDefault) {
    TempDir files;
    auto spooler = SpoolerOn(CupsTestServer::Shared().Address(), files);
    PrinterList printer(*spooler);
    EXPECT_EQ(printer.EntryNames(),
              (std::vector<std::string>{"alpha", "beta", "reject", "zcli", "zppd", "PCL File"}));
    EXPECT_EQ(printer.CurrentIndex(), 1);

    std::string device, driver, port;
    DeviceModeHandle mode;
    printer.GetDevice(device, driver, port, mode);
    EXPECT_EQ(device, "beta");
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->Mode().dmDeviceName, "beta");

    printer.SetCurrentIndex(5);
    EXPECT_EQ(printer.CurrentIndex(), 5);
    printer.SetCurrentIndex(-1);
    EXPECT_EQ(printer.CurrentIndex(), 1);
    EXPECT_THROW(printer.SetCurrentIndex(6), EPrinter);
    EXPECT_EQ(printer.CurrentIndex(), 1);
}

TEST(CupsPrinterList, WithoutAServerOnlyPclFileIsListedAndIsTheDefault) {
    TempDir files;
    auto spooler = SpoolerOn("127.0.0.1:1", files);
    PrinterList printer(*spooler);
    EXPECT_EQ(printer.EntryNames(), (std::vector<std::string>{"PCL File"}));
    EXPECT_EQ(printer.CurrentIndex(), 0);
    EXPECT_EQ(spooler->FallbackNote(), "cannot reach the print server 127.0.0.1:1");

    // And it prints.
    RawPrintJob job(*spooler);
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
    auto spooler = SpoolerOn(silent.Address(), files, limits);
    std::vector<PrinterInfo> printers;

    // The window: "PCL File" alone, and why.
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(spooler->EnumPrinters(PRINTER_ENUM_LOCAL, 5, printers));
    EXPECT_EQ(Names(printers), (std::vector<std::string>{"PCL File"}));
    EXPECT_EQ(spooler->FallbackNote(), cause);
    EXPECT_GE(SecondsSince(start), 1.0);
    EXPECT_LT(SecondsSince(start), 5.0);

    // The look-ups after it fail at once, with the same cause.
    start = std::chrono::steady_clock::now();
    DeviceCapabilityData out;
    EXPECT_EQ(spooler->DeviceCapabilities("alpha", "alpha", DC_PAPERS, out, nullptr), -1);
    EXPECT_EQ(spooler->LastErrorCause(), cause);
    EXPECT_EQ(spooler->PrinterJobCount("alpha"), -1);
    RawPrintJob job(*spooler);
    EXPECT_EQ(MessageOf([&] { job.StartJob("alpha", "ZelPrint Job"); }),
              "OpenPrinter()=False @ StartJob with PrinterName:'alpha': " + cause);
    EXPECT_LT(SecondsSince(start), 0.5);

    // The command line: a failure. A refresh does not make the next look-up
    // wait again while the server stays silent.
    spooler->SetFailWhenServerSilent(true);
    spooler->RefreshLookups();
    start = std::chrono::steady_clock::now();
    EXPECT_FALSE(spooler->EnumPrinters(PRINTER_ENUM_LOCAL, 5, printers));
    EXPECT_EQ(spooler->LastError(), ERROR_NOT_READY);
    EXPECT_EQ(spooler->LastErrorCause(), cause);
    EXPECT_TRUE(printers.empty());
    EXPECT_LT(SecondsSince(start), 0.5);
}

} // namespace
} // namespace zl
