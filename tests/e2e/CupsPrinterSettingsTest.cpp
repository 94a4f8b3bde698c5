// Paper choice on a real CUPS queue, as the printer selector makes it.
#include "platform/CupsSpooler.h"
#include "platform/SystemSpooler.h"
#include "printer/PrinterSelector.h"

#include "tests/support/CupsTestServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

TEST(CupsPrinterSettings, PaperNamesAreMatchedAgainstTheQueuesForms) {
    test::TempDir files;
    SystemSpooler spooler(std::make_unique<CupsSpooler>(test::CupsTestServer::Shared().Address()),
                          std::make_unique<FileSpooler>(files.Path()));
    PrinterList printer(spooler);
    PlainListControl dropDown;
    PrinterSelector selector(printer, dropDown);
    selector.SetPrinterName("zppd");
    ASSERT_EQ(selector.PrinterName(), "zppd");
    ASSERT_EQ(selector.PaperList().size(), 3u);
    ASSERT_EQ(selector.BinList().size(), 3u);

    auto mode = [&] {
        std::string device, driver, port;
        DeviceModeHandle handle;
        printer.GetDevice(device, driver, port, handle);
        return handle ? handle->Mode() : DeviceMode{};
    };
    PrinterSettings& settings = selector.Settings();
    settings.SetPaperSize("legal");
    EXPECT_EQ(settings.PaperName(), "Legal");
    EXPECT_EQ(mode().dmPaperSize, 5);
    EXPECT_DOUBLE_EQ(settings.PaperWidth(), 215.9);
    EXPECT_DOUBLE_EQ(settings.PaperLength(), 355.6);
    settings.SetPaperSize("Letter Small");
    EXPECT_EQ(settings.PaperName(), "Letter");
    EXPECT_EQ(mode().dmPaperSize, 1);
    EXPECT_EQ(settings.PaperSize(), "Letter");
    settings.SetBinSource(selector.BinList()[2].name);
    EXPECT_EQ(mode().dmDefaultSource, 4); // manual feed
    EXPECT_EQ(mode().dmFields, 0x1703u);
}

} // namespace
} // namespace zl
