// A selector on a recording print service with three printers: "Laser",
// "Office" (the default) and "Plotter", each with its own forms and bins.
#pragma once

#include "printer/PrinterSelector.h"

#include "tests/support/RecordingPrintService.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zl::test {

class PrinterSelectorTest : public ::testing::Test {
protected:
    PrinterSelectorTest() {
        service.printers = {"Laser", "Office", "Plotter"};
        service.defaultName = "Office";
        PrinterCapabilities& office = service.capabilities["Office"];
        office.bins = {{"Auto", 7}, {"Tray 1", 1}, {"Manual", 4}};
        office.forms = {{"Letter", 1, {2159, 2794}},
                        {"Legal", 5, {2159, 3556}},
                        {"A4", 9, {2100, 2970}},
                        {"Custom", 256, {0, 0}}};
        office.twoSided = true;
        office.defaults.paper = 1;
        office.defaults.bin = 7;
        PrinterCapabilities& laser = service.capabilities["Laser"];
        laser.bins = {{"Upper", 1}, {"Lower", 2}};
        laser.forms = {{"A4", 9, {2100, 2970}}, {"Letter", 1, {2159, 2794}}};
        laser.defaults.paper = 9;
        laser.defaults.bin = 2;
    }

    // Builds the selector and records its events in `events`.
    PrinterSelector& Make() {
        selector = std::make_unique<PrinterSelector>(printer, dropDown);
        selector->onPrinterChange = [this] { events.push_back("printer"); };
        return *selector;
    }

    // Builds the selector and lists the printers, as the main window does.
    PrinterSelector& MakeListed() {
        PrinterSelector& s = Make();
        s.ListPrinters();
        events.clear();
        return s;
    }

    // How often the service was asked what `printer` offers.
    int Asked(const std::string& name) { return service.Calls("Capabilities(" + name + ")"); }

    RecordingPrintService service;
    PrinterList printer{service};
    PlainListControl dropDown;
    std::unique_ptr<PrinterSelector> selector;
    std::vector<std::string> events;
};

} // namespace zl::test
