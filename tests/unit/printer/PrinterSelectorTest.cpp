#include "tests/unit/printer/PrinterSelectorFixture.h"

#include "tests/support/MessageOf.h"

namespace zl::test {
namespace {

using Events = std::vector<std::string>;

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

TEST_F(PrinterSelectorTest, ListingThePrintersSelectsTheCurrentOneAndTellsTheOwner) {
    PrinterSelector& s = Make();
    s.ListPrinters();
    EXPECT_EQ(dropDown.Items(), (std::vector<std::string>{"Laser", "Office", "Plotter"}));
    EXPECT_EQ(dropDown.ItemIndex(), 1);
    EXPECT_EQ(s.LastPrinterName(), "Office");
    EXPECT_EQ(s.DefaultPaperName(), "Letter");
    EXPECT_EQ(s.DefaultBinName(), "Auto");
    EXPECT_EQ(Asked("Office"), 1);
    EXPECT_EQ(events, (Events{"printer"}));
}

TEST_F(PrinterSelectorTest, PickingTheCurrentPrinterDoesNothing) {
    PrinterSelector& s = MakeListed();
    const int asked = Asked("Office");
    dropDown.SetItemIndex(1);
    s.ListSelectionChange();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(Asked("Office"), asked);
}

TEST_F(PrinterSelectorTest, PickingAnotherPrinterReadsItsFormsAndBinsAndDefaults) {
    PrinterSelector& s = MakeListed();
    dropDown.SetItemIndex(0);
    s.ListSelectionChange();

    EXPECT_EQ(printer.CurrentIndex(), 0);
    EXPECT_EQ(s.LastPrinterName(), "Laser");
    EXPECT_EQ(Asked("Laser"), 1);
    EXPECT_EQ(s.PaperList().size(), 2u);
    EXPECT_EQ(s.BinList().size(), 2u);
    EXPECT_EQ(s.DefaultPaperName(), "A4");
    EXPECT_EQ(s.DefaultBinName(), "Lower");
    EXPECT_EQ(dropDown.ItemIndex(), 0);
    EXPECT_EQ(events, (Events{"printer"}));
}

TEST_F(PrinterSelectorTest, SelectingTheDefaultPrinterAsksForItsDefaultsAfresh) {
    PrinterSelector& s = MakeListed();
    dropDown.SetItemIndex(2);
    s.ListSelectionChange();
    ASSERT_EQ(printer.CurrentIndex(), 2);
    events.clear();
    const int asked = Asked("Office");

    s.SelectDefaultPrinter();
    EXPECT_EQ(printer.CurrentIndex(), 1);
    EXPECT_EQ(dropDown.ItemIndex(), 1);
    EXPECT_EQ(s.LastPrinterName(), "Office");
    EXPECT_EQ(Asked("Office"), asked + 1);
    EXPECT_EQ(events, (Events{"printer"}));
    events.clear();
    s.ReselectPrinter();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(printer.CurrentIndex(), 1);
    EXPECT_EQ(Asked("Office"), asked + 1);
}

TEST_F(PrinterSelectorTest, PrinterNameIsMatchedClosely) {
    PrinterSelector& s = MakeListed();
    s.SetPrinterName("plot");
    EXPECT_EQ(s.PrinterName(), "Plotter");
    s.SetPrinterName("LASER");
    EXPECT_EQ(s.PrinterName(), "Laser");
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
