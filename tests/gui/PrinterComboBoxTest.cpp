#include "app/PrinterComboBox.h"

#include "tests/support/RecordingPrintService.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace zl {
namespace {

using test::RecordingPrintService;

// A window that counts the show events it gets itself.
class OwnerWindow : public QWidget {
public:
    int shows = 0;

protected:
    void showEvent(QShowEvent* event) override {
        ++shows;
        QWidget::showEvent(event);
    }
};

class PrinterComboBoxTest : public ::testing::Test {
protected:
    PrinterComboBoxTest() {
        spooler.printers = {"Laser", "Office", "Plotter"};
        spooler.defaultName = "Office";
        PrinterCapabilities& office = spooler.capabilities["Office"];
        office.forms = {{"Letter", 1, {2159, 2794}}, {"Legal", 5, {2159, 3556}}};
        office.bins = {{"Auto", 7}, {"Manual", 4}};
        box = std::make_unique<PrinterComboBox>(&owner, printer);
        box->onError = [this](const std::string& message) { errors.push_back(message); };
        PrinterSelector& s = box->Selector();
        s.onPrinterChange = [this] { events.push_back("printer"); };
        s.ListPrinters();
        events.clear();
    }

    RecordingPrintService spooler;
    PrinterList printer{spooler};
    OwnerWindow owner;
    std::unique_ptr<PrinterComboBox> box;
    std::vector<std::string> events;
    std::vector<std::string> errors;
};

TEST_F(PrinterComboBoxTest, ShowsThePrintersAsADropDownList) {
    EXPECT_FALSE(box->isEditable());
    ASSERT_EQ(box->count(), 3);
    EXPECT_EQ(box->itemText(0), "Laser");
    EXPECT_EQ(box->itemText(2), "Plotter");
    EXPECT_EQ(box->currentIndex(), 1);
    EXPECT_EQ(box->Selector().ItemIndex(), 1);
}

TEST_F(PrinterComboBoxTest, TheUsersPickSelectsThePrinter) {
    box->setCurrentIndex(0);
    emit box->activated(0);
    EXPECT_EQ(printer.CurrentIndex(), 0);
    EXPECT_EQ(events, (std::vector<std::string>{"printer"}));
    events.clear();
    box->setCurrentIndex(0);
    emit box->activated(0); // the current printer again: nothing happens
    EXPECT_TRUE(events.empty());
}

TEST_F(PrinterComboBoxTest, ShowingTheWindowReselectsAndTheWindowStillGetsTheEvent) {
    box->setCurrentIndex(2);
    emit box->activated(2);
    owner.show();
    EXPECT_EQ(owner.shows, 1);
    EXPECT_EQ(spooler.Calls("Capabilities(Plotter)"), 1) << "the choice stands: asked once";
    EXPECT_EQ(printer.CurrentIndex(), 2);
    EXPECT_TRUE(errors.empty());
}

TEST_F(PrinterComboBoxTest, FailuresOfAPickGoToTheErrorHandler) {
    spooler.Throw("Capabilities");
    box->setCurrentIndex(0);
    emit box->activated(0);
    EXPECT_EQ(errors.size(), 1u);
}

} // namespace
} // namespace zl
