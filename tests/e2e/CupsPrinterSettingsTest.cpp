// Paper choice on a real CUPS queue, as the printer selector makes it.
#include "printer/PrinterSelector.h"
#include "printing/CupsPrintService.h"
#include "printing/SystemPrintService.h"

#include "tests/support/CupsTestServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

TEST(CupsPrinterSettings, PaperNamesAreMatchedAgainstTheQueuesForms) {
    test::TempDir files;
    SystemPrintService service(
        std::make_unique<CupsPrintService>(test::CupsTestServer::Shared().Address()),
        std::make_unique<PclFileService>(files.Path()));
    PrinterList printer(service);
    PlainListControl dropDown;
    PrinterSelector selector(printer, dropDown);
    selector.SetPrinterName("zppd");
    ASSERT_EQ(selector.PrinterName(), "zppd");
    ASSERT_EQ(selector.PaperList().size(), 3u);
    ASSERT_EQ(selector.BinList().size(), 3u);

    auto mode = [&] { return printer.Device() ? printer.Device()->settings : DeviceSettings{}; };
    PrinterSettings& settings = selector.Settings();
    settings.SetPaperSize("legal");
    EXPECT_EQ(settings.PaperName(), "Legal");
    EXPECT_EQ(mode().paper, 5);
    EXPECT_DOUBLE_EQ(settings.PaperWidth(), 215.9);
    EXPECT_DOUBLE_EQ(settings.PaperLength(), 355.6);
    settings.SetPaperSize("Letter Small");
    EXPECT_EQ(settings.PaperName(), "Letter");
    EXPECT_EQ(mode().paper, 1);
    EXPECT_EQ(settings.PaperSize(), "Letter");
    settings.SetBinSource(selector.BinList()[2].name);
    EXPECT_EQ(mode().bin, 4); // manual feed
}

} // namespace
} // namespace zl
