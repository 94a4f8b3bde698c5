#include "printer/PrinterList.h"

#include "tests/support/RecordingSpooler.h"

#include "tests/support/MessageOf.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

using test::MessageOf;
using test::RecordingSpooler;

class PrinterListTest : public ::testing::Test {
protected:
    PrinterListTest() {
        spooler.printers = {{"Laser", ""}, {"Office", ""}, {"Plotter", ""}};
        spooler.defaultName = "Office";
    }

    RecordingSpooler spooler;
    PrinterList printer{spooler};
};

TEST_F(PrinterListTest, EntriesFollowTheSpoolerAndAreBuiltOnce) {
    EXPECT_EQ(printer.EntryNames(), (std::vector<std::string>{"Laser", "Office", "Plotter"}));
    const PrinterEntry& first = printer.Entries()[0];
    EXPECT_EQ(first.device.deviceName, "Laser");
    EXPECT_EQ(first.device.driverName, "");
    EXPECT_EQ(first.device.portName, "");
    EXPECT_EQ(spooler.calls, (std::vector<std::string>{"EnumPrinters(6,4)"}));

    spooler.printers.push_back({"Installed Later", ""});
    EXPECT_EQ(printer.Entries().size(), 3u);
    EXPECT_EQ(spooler.Count("EnumPrinters"), 1);
}

TEST_F(PrinterListTest, FailedEnumerationGivesAnEmptyList) {
    spooler.Fail("EnumPrinters");
    EXPECT_TRUE(printer.Entries().empty());
}

TEST_F(PrinterListTest, FirstReadResolvesTheDefaultWithItsDeviceMode) {
    EXPECT_EQ(printer.CurrentIndex(), 1);
    EXPECT_EQ(spooler.Count("DocumentProperties"), 2);
    std::string device, driver, port;
    DeviceModeHandle mode;
    printer.GetDevice(device, driver, port, mode);
    EXPECT_EQ(device, "Office");
    ASSERT_TRUE(mode);
    EXPECT_EQ(mode->Mode().dmDeviceName, "Office");
    EXPECT_EQ(mode->LockCount(), 1);
}

TEST_F(PrinterListTest, DefaultIsMatchedIgnoringCase) {
    spooler.defaultName = "PLOTTER";
    EXPECT_EQ(printer.CurrentIndex(), 2);
}

TEST_F(PrinterListTest, DefaultComesFromTheProfileWhenTheSpoolerNamesNone) {
    spooler.defaultName.clear();
    spooler.profileDevice = "  Laser,winspool,Ne00:";
    EXPECT_EQ(printer.CurrentIndex(), 0);
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

TEST_F(PrinterListTest, WritingAnIndexDoesNotTouchTheDeviceMode) {
    EXPECT_EQ(printer.CurrentIndex(), 1);
    const int before = spooler.Count("DocumentProperties");
    printer.SetCurrentIndex(0);
    EXPECT_EQ(spooler.Count("DocumentProperties"), before);
    EXPECT_EQ(spooler.Count("OpenPrinter"), 1);
}

TEST_F(PrinterListTest, NoDefaultPrinterIsReported) {
    spooler.defaultName = "Gone";
    EXPECT_EQ(MessageOf([&] { printer.CurrentIndex(); }),
              "There is no default printer currently selected");

    RecordingSpooler empty;
    PrinterList none(empty);
    EXPECT_TRUE(none.Entries().empty());
    std::string device, driver, port;
    DeviceModeHandle mode;
    EXPECT_EQ(MessageOf([&] { none.GetDevice(device, driver, port, mode); }),
              "There is no default printer currently selected");
}

TEST_F(PrinterListTest, DefaultLookupErrorsAreReported) {
    spooler.defaultError = ERROR_INVALID_NAME;
    EXPECT_EQ(MessageOf([&] { printer.SelectDefault(); }),
              "There is no default printer currently selected");
    spooler.defaultError = 5;
    EXPECT_EQ(MessageOf([&] { printer.SelectDefault(); }).rfind("System Error.  Code: 5.\n", 0),
              0u);
    spooler.Fail("EnumPrinters", 0, ERROR_NOT_READY,
                 "the print server 127.0.0.1:9 does not answer");
    // The code's words between are the system's own.
    const std::string notReady = MessageOf([&] { printer.SelectDefault(); });
    const std::string cause = ": the print server 127.0.0.1:9 does not answer";
    EXPECT_EQ(notReady.rfind("System Error.  Code: 21.\n", 0), 0u) << notReady;
    ASSERT_GT(notReady.size(), cause.size()) << notReady;
    EXPECT_EQ(notReady.substr(notReady.size() - cause.size()), cause);
}

TEST_F(PrinterListTest, SetDeviceAdoptsAGivenBlockAndReleasesTheOldOne) {
    printer.CurrentIndex();
    std::string device, driver, port;
    DeviceModeHandle original;
    printer.GetDevice(device, driver, port, original);

    auto mine = std::make_shared<DeviceModeBlock>();
    printer.SetDevice("Plotter", "", "", mine);
    EXPECT_EQ(printer.CurrentIndex(), 2);
    EXPECT_EQ(mine->LockCount(), 1);
    EXPECT_EQ(original->LockCount(), 0);
    DeviceModeHandle held;
    printer.GetDevice(device, driver, port, held);
    EXPECT_EQ(held, mine);
    EXPECT_EQ(device, "Plotter");

    // The same block again is not locked twice.
    printer.SetDevice("Laser", "", "", mine);
    EXPECT_EQ(mine->LockCount(), 1);
    EXPECT_EQ(printer.CurrentIndex(), 0);
}

TEST_F(PrinterListTest, SetDeviceOfAnUnknownDeviceAppendsAnEntry) {
    printer.SetDevice("Remote", "drv", "NET:", nullptr);
    ASSERT_EQ(printer.Entries().size(), 4u);
    EXPECT_EQ(printer.Entries()[3].name, "Remote on NET:");
    EXPECT_EQ(printer.Entries()[3].device.driverName, "drv");
    EXPECT_EQ(printer.CurrentIndex(), 3);
    // The spooler does not know it: current, but without a device mode.
    std::string device, driver, port;
    DeviceModeHandle mode;
    printer.GetDevice(device, driver, port, mode);
    EXPECT_FALSE(mode);
}

TEST_F(PrinterListTest, RefusedDeviceModeLeavesNone) {
    spooler.Fail("DocumentProperties", 1);
    EXPECT_EQ(printer.CurrentIndex(), 1);
    std::string device, driver, port;
    DeviceModeHandle mode;
    printer.GetDevice(device, driver, port, mode);
    EXPECT_FALSE(mode);
}

TEST_F(PrinterListTest, ThePrinterHandleIsClosedWhenAnotherIsAdoptedAndAtTheEnd) {
    {
        PrinterList scoped(spooler);
        scoped.CurrentIndex();
        scoped.SetDevice("Laser", "", "", nullptr);
        EXPECT_EQ(spooler.openHandles, 1);
    }
    EXPECT_EQ(spooler.openHandles, 0);
}

} // namespace
} // namespace zl
