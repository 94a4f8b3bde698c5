#include "tests/unit/printer/PrinterSelectorFixture.h"

namespace zl::test {
namespace {

TEST_F(PrinterSelectorTest, StandardFormsTakeTheDriversSize) {
    PrinterSelector& s = MakeLoaded("A4");
    PrinterSettings& settings = s.Settings();
    settings.SetPaperWidth(100);
    EXPECT_DOUBLE_EQ(settings.PaperWidth(), 210.0) << "ignored on a standard form";
    settings.SetPaperSize("Legal");
    EXPECT_DOUBLE_EQ(settings.PaperWidth(), 215.9);
    EXPECT_DOUBLE_EQ(settings.PaperLength(), 355.6);
    EXPECT_EQ(Mode().dmPaperSize, 5);
    EXPECT_EQ(Mode().dmFields, 0x1703u);
}

TEST_F(PrinterSelectorTest, UserDefinedPaperWritesItsRoundedSize) {
    PrinterSelector& s = MakeLoaded("Custom");
    PrinterSettings& settings = s.Settings();
    EXPECT_EQ(Mode().dmPaperSize, DMPAPER_USER);
    settings.SetPaperWidth(100.25);  // 1002.5 tenths: to the even 1002
    settings.SetPaperLength(100.75); // 1007.5 tenths: to the even 1008
    settings.ApplyToDeviceMode();
    const DeviceMode mode = Mode();
    EXPECT_EQ(mode.dmFields, 0x170Fu);
    EXPECT_EQ(mode.dmPaperWidth, 1002);
    EXPECT_EQ(mode.dmPaperLength, 1008);
}

TEST_F(PrinterSelectorTest, CopiesBelowOneAreOne) {
    PrinterSelector& s = MakeLoaded();
    s.Settings().SetCopies(0);
    EXPECT_EQ(s.Settings().Copies(), 1);
    s.Settings().SetCopies(-3);
    EXPECT_EQ(s.Settings().Copies(), 1);
    s.Settings().SetCopies(4);
    EXPECT_EQ(Mode().dmCopies, 4);
}

TEST_F(PrinterSelectorTest, OnlyAChangedOrientationFiresItsEvent) {
    PrinterSelector& s = MakeLoaded();
    s.Settings().SetOrientation(PaperOrientation::Portrait);
    EXPECT_TRUE(events.empty());
    s.Settings().SetOrientation(PaperOrientation::Landscape);
    EXPECT_EQ(events, (std::vector<std::string>{"orientation"}));
    EXPECT_EQ(Mode().dmOrientation, DMORIENT_LANDSCAPE);
}

TEST_F(PrinterSelectorTest, PaperAndBinReadsFollowTheDeviceMode) {
    PrinterSelector& s = MakeLoaded("Legal", "Auto");
    EXPECT_EQ(s.Settings().PaperSize(), "Legal");
    EXPECT_EQ(s.Settings().BinSource(), "Auto");
    s.SetUseWinDefaults({SystemDefault::DefaultPaperSize});
    // The fresh device mode has Letter; the device mode's own value is kept.
    EXPECT_EQ(s.Settings().PaperSize(), "Letter");
    EXPECT_EQ(s.Settings().PaperName(), "Letter");
}

TEST_F(PrinterSelectorTest, DuplexAndQualityGoBothWays) {
    PrinterSelector& s = MakeLoaded();
    s.Settings().SetDuplex(DuplexMode::ShortEdge);
    s.Settings().SetPrintQuality(600);
    EXPECT_EQ(Mode().dmDuplex, DMDUP_HORIZONTAL);
    EXPECT_EQ(Mode().dmPrintQuality, 600);
    s.SetUseWinDefaults({SystemDefault::DefaultDuplex, SystemDefault::DefaultPrintQuality});
    // A fresh device mode: its simplex and quality 0 come back.
    EXPECT_EQ(s.Settings().Duplex(), DuplexMode::Simplex);
    EXPECT_EQ(s.Settings().PrintQuality(), 0);
}

TEST_F(PrinterSelectorTest, NamesWithoutMatchChangeNothing) {
    PrinterSelector& s = MakeLoaded("Legal");
    spooler.capabilities.erase("Office");
    s.SetUseWinDefaults({SystemDefault::DefaultBin}); // reread: no forms now
    events.clear();
    s.Settings().SetPaperSize("A4");
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(s.Settings().PaperName(), "Legal");
}

} // namespace
} // namespace zl::test
