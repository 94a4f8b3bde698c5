#include "tests/unit/printer/PrinterSelectorFixture.h"

namespace zl::test {
namespace {

// Choosing a printer asks the service about it once; changing each option
// then changes the settings only.
TEST_F(PrinterSelectorTest, ChoosingAPrinterAsksItOnceAndItsOptionsChangeOnlyItsSettings) {
    PrinterSelector& s = MakeLoaded();
    ASSERT_TRUE(s.ChoosePrinter("Laser"));
    PrinterSettings& settings = s.Settings();
    settings.SetPaperSize("Letter");
    settings.SetBinSource("Upper");
    settings.SetOrientation(PaperOrientation::Landscape);
    settings.SetCopies(3);
    settings.SetDuplex(DuplexMode::LongEdge);
    settings.SetPrintQuality(600);
    EXPECT_EQ(Asked("Laser"), 1);
    EXPECT_EQ(service.Count("OpenJob"), 0);
    const DeviceSettings mode = Mode();
    EXPECT_EQ(mode.paper, 1);
    EXPECT_EQ(mode.bin, 1);
    EXPECT_EQ(mode.orientation, PaperOrientation::Landscape);
    EXPECT_EQ(mode.copies, 3);
    EXPECT_EQ(mode.duplex, DuplexMode::LongEdge);
    EXPECT_EQ(mode.printQuality, 600);
}

TEST_F(PrinterSelectorTest, StandardFormsTakeTheDriversSize) {
    PrinterSelector& s = MakeLoaded("A4");
    PrinterSettings& settings = s.Settings();
    settings.SetPaperWidth(100);
    EXPECT_DOUBLE_EQ(settings.PaperWidth(), 210.0) << "ignored on a standard form";
    settings.SetPaperSize("Legal");
    EXPECT_DOUBLE_EQ(settings.PaperWidth(), 215.9);
    EXPECT_DOUBLE_EQ(settings.PaperLength(), 355.6);
    EXPECT_EQ(Mode().paper, 5);
}

TEST_F(PrinterSelectorTest, UserDefinedPaperWritesItsRoundedSize) {
    PrinterSelector& s = MakeLoaded("Custom");
    PrinterSettings& settings = s.Settings();
    EXPECT_EQ(Mode().paper, kUserDefinedPaper);
    settings.SetPaperWidth(100.25);  // 1002.5 tenths: to the even 1002
    settings.SetPaperLength(100.75); // 1007.5 tenths: to the even 1008
    settings.ApplyToDevice();
    EXPECT_EQ(Mode().paperSize.width, 1002);
    EXPECT_EQ(Mode().paperSize.length, 1008);
}

TEST_F(PrinterSelectorTest, CopiesBelowOneAreOne) {
    PrinterSelector& s = MakeLoaded();
    s.Settings().SetCopies(0);
    EXPECT_EQ(s.Settings().Copies(), 1);
    s.Settings().SetCopies(-3);
    EXPECT_EQ(s.Settings().Copies(), 1);
}

TEST_F(PrinterSelectorTest, OnlyAChangedOrientationFiresItsEvent) {
    PrinterSelector& s = MakeLoaded();
    s.Settings().SetOrientation(PaperOrientation::Portrait);
    EXPECT_TRUE(events.empty());
    s.Settings().SetOrientation(PaperOrientation::Landscape);
    EXPECT_EQ(events, (std::vector<std::string>{"orientation"}));
}

TEST_F(PrinterSelectorTest, PaperAndBinReadsFollowTheDeviceSettings) {
    PrinterSelector& s = MakeLoaded("Legal", "Auto");
    EXPECT_EQ(s.Settings().PaperSize(), "Legal");
    EXPECT_EQ(s.Settings().BinSource(), "Auto");
    s.SetUseWinDefaults({SystemDefault::DefaultPaperSize});
    // The fresh settings have Letter; the device settings' own value is kept.
    EXPECT_EQ(s.Settings().PaperSize(), "Letter");
    EXPECT_EQ(s.Settings().PaperName(), "Letter");
}

TEST_F(PrinterSelectorTest, DuplexAndQualityGoBothWays) {
    PrinterSelector& s = MakeLoaded();
    s.Settings().SetDuplex(DuplexMode::ShortEdge);
    s.Settings().SetPrintQuality(600);
    s.SetUseWinDefaults({SystemDefault::DefaultDuplex, SystemDefault::DefaultPrintQuality});
    // Fresh settings: their simplex and quality 0 come back.
    EXPECT_EQ(s.Settings().Duplex(), DuplexMode::Simplex);
    EXPECT_EQ(s.Settings().PrintQuality(), 0);
}

TEST_F(PrinterSelectorTest, NamesWithoutMatchChangeNothing) {
    PrinterSelector& s = MakeLoaded("Legal");
    service.capabilities.erase("Office");
    s.SetUseWinDefaults({SystemDefault::DefaultBin}); // asked again: no forms now
    events.clear();
    s.Settings().SetPaperSize("A4");
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(s.Settings().PaperName(), "Legal");
}

} // namespace
} // namespace zl::test
