// A selector on a recording spooler with three printers: "Laser", "Office"
// (the default) and "Plotter", each with its own forms and bins.
#pragma once

#include "printer/PrinterSelector.h"
#include "printer/StoredSelectorSettings.h"

#include "tests/support/RecordingSpooler.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zl::test {

class PrinterSelectorTest : public ::testing::Test {
protected:
    PrinterSelectorTest() {
        spooler.printers = {{"Laser", ""}, {"Office", ""}, {"Plotter", ""}};
        spooler.defaultName = "Office";
        RecordingSpooler::Capabilities office;
        office.bins = {{7, "Auto"}, {1, "Tray 1"}, {4, "Manual"}};
        office.papers = {{1, "Letter", {2159, 2794}},
                         {5, "Legal", {2159, 3556}},
                         {9, "A4", {2100, 2970}},
                         {256, "Custom", {0, 0}}};
        office.duplex = true;
        spooler.capabilities["Office"] = office;
        RecordingSpooler::Capabilities laser;
        laser.bins = {{1, "Upper"}, {2, "Lower"}};
        laser.papers = {{9, "A4", {2100, 2970}}, {1, "Letter", {2159, 2794}}};
        spooler.capabilities["Laser"] = laser;
        DeviceMode officeMode;
        officeMode.dmPaperSize = 1;
        officeMode.dmDefaultSource = 7;
        spooler.defaultModes["Office"] = officeMode;
        DeviceMode laserMode;
        laserMode.dmPaperSize = 9;
        laserMode.dmDefaultSource = 2;
        spooler.defaultModes["Laser"] = laserMode;
    }

    // Builds the selector and records its events in `events`.
    PrinterSelector& Make() {
        selector = std::make_unique<PrinterSelector>(printer, dropDown);
        selector->onPrinterChange = [this](void*) { events.push_back("printer"); };
        selector->onPaperChange = [this](void*) { events.push_back("paper"); };
        selector->onBinChange = [this](void*) { events.push_back("bin"); };
        selector->onOrientationChange = [this](void* sender) {
            events.push_back(sender == &selector->Settings() ? "orientation" : "orientation?");
        };
        selector->onJobCountChange = [this](void*) { events.push_back("jobs"); };
        return *selector;
    }

    // Builds the selector and loads the settings the main window keeps:
    // a printer name, then the settings.
    PrinterSelector& MakeLoaded(const std::string& paper = "Legal", const std::string& bin = "") {
        PrinterSelector& s = Make();
        StoredSelectorSettings stored;
        stored.printerName = "Office";
        stored.paperSize = paper;
        stored.binSource = bin;
        LoadStoredSettings(s, stored);
        events.clear();
        return s;
    }

    // The current printer's device mode, as the printer list holds it.
    DeviceMode Mode() {
        std::string device, driver, port;
        DeviceModeHandle handle;
        printer.GetDevice(device, driver, port, handle);
        EXPECT_TRUE(handle);
        return handle ? handle->Mode() : DeviceMode{};
    }

    // How many default device modes the spooler has made for `device`.
    int DefaultModesMade(const std::string& device) {
        return spooler.Calls("DocumentProperties(" + device + ",2)");
    }

    RecordingSpooler spooler;
    PrinterList printer{spooler};
    PlainListControl dropDown;
    std::unique_ptr<PrinterSelector> selector;
    std::vector<std::string> events;
};

} // namespace zl::test
