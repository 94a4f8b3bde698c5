#include "printer/PrinterList.h"

#include "tests/support/MessageOf.h"
#include "tests/support/RecordingPrintService.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

using test::MessageOf;
using test::RecordingPrintService;

class PrinterListTest : public ::testing::Test {
protected:
    PrinterListTest() {
        service.printers = {"Laser", "Office", "Plotter"};
        service.defaultName = "Office";
        service.capabilities["Office"].defaults.paper = 9;
    }

    RecordingPrintService service;
    PrinterList printer{service};
};

TEST_F(PrinterListTest, EntriesFollowTheServiceAndAreBuiltOnce) {
    EXPECT_EQ(printer.EntryNames(), (std::vector<std::string>{"Laser", "Office", "Plotter"}));
    service.printers.push_back("Installed Later");
    EXPECT_EQ(printer.Entries().size(), 3u);
    EXPECT_EQ(service.Count("Printers"), 1);
}

TEST_F(PrinterListTest, AFailedListingGivesAnEmptyList) {
    service.Fail("Printers");
    EXPECT_TRUE(printer.Entries().empty());
}

TEST_F(PrinterListTest, TheDefaultIsCurrentFirstMatchedIgnoringCaseWithItsDefaults) {
    service.defaultName = "OFFICE";
    EXPECT_EQ(printer.CurrentIndex(), 1);
    ASSERT_NE(printer.Device(), nullptr);
    EXPECT_EQ(printer.Device()->capabilities.defaults.paper, 9);
    EXPECT_EQ(service.Calls("Capabilities(Office)"), 1);
}

TEST_F(PrinterListTest, WritingMinusOneSelectsTheDefaultAgain) {
    printer.SetCurrentIndex(2);
    EXPECT_EQ(printer.CurrentIndex(), 2);
    printer.SetCurrentIndex(-1);
    EXPECT_EQ(printer.CurrentIndex(), 1);
}

TEST_F(PrinterListTest, IndexOutsideTheListIsRefusedAndChangesNothing) {
    printer.SetCurrentIndex(2);
    EXPECT_EQ(MessageOf([&] { printer.SetCurrentIndex(3); }), "Printer index out of range");
    EXPECT_EQ(MessageOf([&] { printer.SetCurrentIndex(-2); }), "Printer index out of range");
    EXPECT_EQ(printer.CurrentIndex(), 2);
}

TEST_F(PrinterListTest, EachChoiceOfAPrinterAsksForItsDeviceOnce) {
    printer.Device();
    printer.SetCurrentIndex(1); // the same printer: nothing asked
    printer.SetCurrentIndex(0);
    printer.Device();
    printer.Device();
    EXPECT_EQ(service.Calls("Capabilities(Office)"), 1);
    EXPECT_EQ(service.Calls("Capabilities(Laser)"), 1);
    // A fresh listing asks again.
    printer.Refresh();
    printer.Device();
    EXPECT_EQ(service.Calls("Capabilities(Laser)"), 2);
}

TEST_F(PrinterListTest, APrinterTheServiceCannotDescribeHasNoDeviceAndIsAskedOnce) {
    service.Fail("Capabilities");
    EXPECT_EQ(printer.Device(), nullptr);
    EXPECT_EQ(printer.Device(), nullptr);
    EXPECT_EQ(printer.CurrentIndex(), 1);
    EXPECT_EQ(service.Count("Capabilities"), 1);
}

TEST_F(PrinterListTest, NoDefaultPrinterIsReported) {
    service.defaultName = "Gone";
    EXPECT_EQ(MessageOf([&] { printer.CurrentIndex(); }),
              "There is no default printer currently selected");
    RecordingPrintService empty;
    PrinterList none(empty);
    EXPECT_TRUE(none.Entries().empty());
    EXPECT_EQ(MessageOf([&] { none.Device(); }), "There is no default printer currently selected");
    // A look-up of the default that fails says why.
    service.Fail("Printers", 0, "the print server 127.0.0.1:9 does not answer");
    EXPECT_EQ(MessageOf([&] { printer.SelectDefault(); }),
              "the print server 127.0.0.1:9 does not answer");
}

TEST_F(PrinterListTest, ARefreshKeepsTheCurrentPrinterWhileItIsListed) {
    printer.SetCurrentIndex(2);
    service.printers = {"New", "Laser", "Plotter"};
    EXPECT_TRUE(printer.Refresh());
    EXPECT_EQ(printer.CurrentIndex(), 2);
    service.printers = {"New", "Laser"};
    EXPECT_TRUE(printer.Refresh());
    EXPECT_EQ(MessageOf([&] { printer.CurrentIndex(); }),
              "There is no default printer currently selected");
    service.Fail("Printers");
    EXPECT_FALSE(printer.Refresh()) << "a failed listing keeps the last one";
    EXPECT_EQ(printer.EntryNames(), (std::vector<std::string>{"New", "Laser"}));
}

} // namespace
} // namespace zl
