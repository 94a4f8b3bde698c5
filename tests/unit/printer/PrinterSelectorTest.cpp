#include "tests/unit/printer/PrinterSelectorFixture.h"

#include "tests/support/MessageOf.h"

namespace zl::test {
namespace {

using Events = std::vector<std::string>;
const Events kRefill = {"bin", "paper", "printer", "paper", "bin"};

TEST_F(PrinterSelectorTest, ConstructionTakesTheDefaultPrinterAndItsCapabilities) {
    PrinterSelector& s = Make();
    EXPECT_EQ(printer.CurrentIndex(), 1);
    EXPECT_EQ(s.PaperList().size(), 4u);
    EXPECT_EQ(s.BinList().size(), 3u);
    EXPECT_EQ(s.PaperList()[1].name, "Legal");
    EXPECT_EQ(s.PaperList()[1].ref.code, 5);
    EXPECT_EQ(s.PaperList()[1].ref.width, 2159);
    EXPECT_EQ(s.PaperList()[1].ref.length, 3556);
    EXPECT_EQ(s.BinList()[2].name, "Manual");
    EXPECT_EQ(s.BinList()[2].ref.code, 4);
    EXPECT_EQ(s.PrinterSnapshot().size(), 3u);
    EXPECT_TRUE(dropDown.Items().empty()) << "filled at the first refill";
    EXPECT_TRUE(events.empty());
}

TEST_F(PrinterSelectorTest, EndOfLoadingRefillsAndMatchesTheStoredSettings) {
    PrinterSelector& s = Make();
    s.BeginLoading();
    s.Settings().SetPaperSize("Legal");
    s.Settings().SetBinSource("manual");
    s.Settings().SetPaperWidth(215.9);
    s.Settings().SetPaperLength(355.6);
    EXPECT_EQ(s.Settings().PaperName(), "Legal");
    EXPECT_EQ(Mode().paper, 1) << "nothing applied while loading";
    s.EndLoading();

    EXPECT_EQ(dropDown.Items(), (std::vector<std::string>{"Laser", "Office", "Plotter"}));
    EXPECT_EQ(dropDown.ItemIndex(), 1);
    EXPECT_EQ(s.Settings().PaperName(), "Legal");
    EXPECT_EQ(s.Settings().BinName(), "Manual");
    EXPECT_DOUBLE_EQ(s.Settings().PaperWidth(), 215.9);
    EXPECT_DOUBLE_EQ(s.Settings().PaperLength(), 355.6);
    const DeviceSettings mode = Mode();
    EXPECT_EQ(mode.paper, 5);
    EXPECT_EQ(mode.bin, 4);
    EXPECT_EQ(mode.printQuality, kHighQuality);
    EXPECT_EQ(mode.duplex, DuplexMode::Simplex);
    EXPECT_EQ(mode.orientation, PaperOrientation::Portrait);
    EXPECT_EQ(events, (Events{"bin", "paper", "printer", "paper", "bin", "bin"}))
        << "the refill, then the bin name changed by its match";
}

TEST_F(PrinterSelectorTest, ARefillFiresItsEventsInOrder) {
    PrinterSelector& s = MakeLoaded("Legal", "Tray 1");
    s.SetUseWinDefaults({SystemDefault::DefaultPrintQuality});
    EXPECT_EQ(events, kRefill);
}

TEST_F(PrinterSelectorTest, PickingTheCurrentPrinterDoesNothing) {
    PrinterSelector& s = MakeLoaded();
    const int asked = Asked("Office");
    dropDown.SetItemIndex(1);
    s.ListSelectionChange();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(Asked("Office"), asked);
}

TEST_F(PrinterSelectorTest, PickingAnotherPrinterGivesItItsDefaultsAndMatchesAgain) {
    PrinterSelector& s = MakeLoaded("Letter", "Manual");
    dropDown.SetItemIndex(0);
    s.ListSelectionChange();

    EXPECT_EQ(printer.CurrentIndex(), 0);
    EXPECT_EQ(s.LastPrinterName(), "Laser");
    EXPECT_EQ(Asked("Laser"), 1);
    EXPECT_EQ(s.PaperList().size(), 2u);
    EXPECT_EQ(s.Settings().PaperName(), "Letter");
    // "Manual" is not there: "Lower" is closer than "Upper" ('L' is next to 'M').
    EXPECT_EQ(s.Settings().BinName(), "Lower");
    const DeviceSettings mode = Mode();
    EXPECT_EQ(mode.paper, 1);
    EXPECT_EQ(mode.bin, 2);
    EXPECT_EQ(dropDown.ItemIndex(), 0);
    EXPECT_EQ(events, (Events{"bin", "bin", "paper", "printer", "paper", "bin"}));
}

TEST_F(PrinterSelectorTest, AnyWindowsDefaultForcesTheFullSwitch) {
    PrinterSelector& s = MakeLoaded();
    const int asked = Asked("Office");
    s.SetUseWinDefaults({SystemDefault::DefaultBin});
    EXPECT_EQ(Asked("Office"), asked + 1) << "fresh default settings";
    events.clear();
    s.SetPrinterName("Office");
    EXPECT_EQ(events, kRefill);
    EXPECT_EQ(Asked("Office"), asked + 2);
}

TEST_F(PrinterSelectorTest, DefaultPrinterSwitchSelectsTheSystemDefaultOnce) {
    PrinterSelector& s = MakeLoaded();
    dropDown.SetItemIndex(2);
    s.ListSelectionChange();
    ASSERT_EQ(printer.CurrentIndex(), 2);
    events.clear();

    s.SetUseWinDefaults({SystemDefault::DefaultPrinter});
    EXPECT_EQ(printer.CurrentIndex(), 1);
    EXPECT_EQ(dropDown.ItemIndex(), 1);
    EXPECT_EQ(s.LastPrinterName(), "Office");
    EXPECT_EQ(events, kRefill);
    events.clear();
    s.SetUseWinDefaults({});
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(printer.CurrentIndex(), 1);
}

TEST_F(PrinterSelectorTest, PrinterNameIsMatchedClosely) {
    PrinterSelector& s = MakeLoaded();
    s.SetPrinterName("plot");
    EXPECT_EQ(s.PrinterName(), "Plotter");
    s.SetPrinterName("LASER");
    EXPECT_EQ(s.PrinterName(), "Laser");
}

TEST_F(PrinterSelectorTest, JobCountComesFromTheReportedStatus) {
    PrinterSelector& s = MakeLoaded();
    s.SpoolerStatus(3);
    EXPECT_EQ(s.JobCount(), 3);
    EXPECT_EQ(events, (Events{"jobs"}));
}

TEST_F(PrinterSelectorTest, ProfileKeepsEightyCharacters) {
    PrinterSelector& s = Make();
    s.SetProfile(std::string(100, 'p'));
    EXPECT_EQ(s.Profile(), std::string(80, 'p'));
}

TEST_F(PrinterSelectorTest, LinkedCombosFollowTheLists) {
    PrinterSelector& s = MakeLoaded("legal", "Tray 1");
    PlainListControl paper, bin;
    s.SetComboPaperSize(&paper);
    EXPECT_EQ(paper.Items(), (std::vector<std::string>{"Letter", "Legal", "A4", "Custom"}));
    EXPECT_EQ(paper.ItemIndex(), 1);
    s.SetComboPaperSource(&bin);
    EXPECT_TRUE(bin.Items().empty()) << "filled at the next refill";
    s.SetUseWinDefaults({SystemDefault::DefaultBin});
    EXPECT_EQ(bin.Items(), (std::vector<std::string>{"Auto", "Tray 1", "Manual"}));
    s.SetComboPaperSize(nullptr);
    s.SetComboPaperSource(nullptr);
}

TEST_F(PrinterSelectorTest, CapabilitiesBeyondTheListsAreCutOff) {
    PrinterCapabilities many;
    for (int i = 0; i < 30; ++i)
        many.bins.push_back({"Bin " + std::to_string(i), static_cast<std::uint16_t>(300 + i)});
    for (int i = 0; i < 120; ++i)
        many.forms.push_back({std::string(70, 'p'), static_cast<std::uint16_t>(400 + i), {1, 1}});
    service.capabilities["Office"] = many;
    PrinterSelector& s = Make();
    EXPECT_EQ(s.BinList().size(), 26u);
    EXPECT_EQ(s.PaperList().size(), 101u);
    EXPECT_EQ(s.PaperList()[0].name, std::string(64, 'p'));
}

TEST_F(PrinterSelectorTest, WithoutPrintersNamesRaiseAndTheListsStayEmpty) {
    service.printers.clear();
    service.defaultName.clear();
    PrinterSelector& s = Make();
    EXPECT_TRUE(s.PaperList().empty());
    EXPECT_TRUE(s.BinList().empty());
    EXPECT_EQ(MessageOf([&] { s.PrinterName(); }),
              "There is no default printer currently selected");
    EXPECT_EQ(MessageOf([&] { s.SetPrinterName("Laser"); }),
              "There is no default printer currently selected");
}

} // namespace
} // namespace zl::test
