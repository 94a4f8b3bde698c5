// The printer list on a real CUPS server, and without one.
#include "platform/CupsSpooler.h"
#include "platform/SystemSpooler.h"
#include "printer/TPrinter.h"
#include "printer/UPrnRaw.h"

#include "tests/support/CupsTestServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

using test::CupsTestServer;
using test::TempDir;

std::unique_ptr<Spooler> SpoolerOn(const std::string& server, const TempDir& files) {
    return std::make_unique<SystemSpooler>(std::make_unique<CupsSpooler>(server),
                                           std::make_unique<FileSpooler>(files.Path()));
}

TEST(CupsPrinterList, QueuesInServerOrderThenPclFileWithTheServersDefault) {
    TempDir files;
    auto spooler = SpoolerOn(CupsTestServer::Shared().Address(), files);
    TPrinter printer(*spooler);
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
    TPrinter printer(*spooler);
    EXPECT_EQ(printer.EntryNames(), (std::vector<std::string>{"PCL File"}));
    EXPECT_EQ(printer.CurrentIndex(), 0);

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

} // namespace
} // namespace zl
