// Which window has the focus and where the keyboard goes in it: the window
// looks the printers up afresh when shown and when the user comes back from
// another window of the program, and Tab walks its controls in order.
#include "tests/gui/MainWindowFixture.h"

#include "app/BarHeightSpinBox.h"
#include "app/FileListBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>

#include <algorithm>

namespace zl {
namespace {

class MainWindowFocusTest : public test::MainWindowFixture {
protected:
    // Waits until `window` has the focus itself (a dialog counts as active
    // while its parent is).
    static bool WaitForFocus(QWidget& window) {
        return QTest::qWaitFor(
            [&] { return QGuiApplication::focusWindow() == window.windowHandle(); });
    }

    // Shows the window and waits until it has the focus.
    MainWindow& ShownWindow() {
        MainWindow& w = Window();
        w.show();
        EXPECT_TRUE(WaitForFocus(w));
        return w;
    }

    // The user clicks into another application and back, as Qt reports it:
    // the program loses the focus, then its window is activated again.
    static void ReturnFromAnotherApplication(MainWindow& w) {
        emit qApp->focusWindowChanged(nullptr);
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&w, &activate);
        emit qApp->focusWindowChanged(w.windowHandle());
    }

    // A box of the program takes the focus and goes; as a window manager
    // does, the main window is activated again.
    static void ReturnFromABox(MainWindow& w, QWidget& box) {
        box.show();
        ASSERT_TRUE(WaitForFocus(box));
        box.hide();
        w.activateWindow();
        ASSERT_TRUE(WaitForFocus(w));
    }
};

TEST_F(MainWindowFocusTest, TheDefaultPrinterIsSelectedWhenShownAndBackFromTheProgramsOwnWindows) {
    MainWindow& w = Window();
    // Until the window is shown: the printer kept from the designer's
    // machine (closest to "Laser"), and the build stamp.
    EXPECT_EQ(w.SelectedPrinterIndex(), 0);
    EXPECT_EQ(w.printerInfoLabel->text(), w.BuildStamp());
    w.show();
    EXPECT_EQ(w.SelectedPrinterIndex(), 1);
    EXPECT_TRUE(w.printerInfoLabel->text().contains("Office"));
    ASSERT_TRUE(WaitForFocus(w));

    onAbout = [&](QDialog& box) { ReturnFromABox(w, box); };
    QWidget messageBox;
    struct Case {
        const char* from;
        std::function<void()> returnFrom;
        int selected; // 0: the user's pick stays
    };
    const Case cases[] = {
        {"another application", [&] { ReturnFromAnotherApplication(w); }, 0},
        {"the About box", [&] { w.aboutAction->trigger(); }, 1},
        {"a message box", [&] { ReturnFromABox(w, messageBox); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        PickPrinter(w, 0);
        ASSERT_EQ(w.SelectedPrinterIndex(), 0);
        EXPECT_TRUE(w.printerInfoLabel->text().contains("Laser"));
        c.returnFrom();
        EXPECT_EQ(w.SelectedPrinterIndex(), c.selected);
    }
    EXPECT_EQ(aboutTitles.size(), 1u);
}

TEST_F(MainWindowFocusTest, AFailingLookUpIsReportedOnceNotAtEveryReturn) {
    MainWindow& w = ShownWindow();
    errors.clear();
    spooler.Throw("OpenPrinter");
    QWidget messageBox;
    for (int i = 0; i < 3; ++i)
        ReturnFromABox(w, messageBox);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(w.Geometry().lineWidth, 133) << "the page settings still run";
}

TEST_F(MainWindowFocusTest, TheAboutBoxIsTitledWithTheBuildStampAndGivesMoreHelp) {
    MainWindow& w = Window();
    PickPrinter(w, 1); // the info bar shows the printer, not the build stamp
    onAbout = [](QDialog& box) {
        box.findChild<QPushButton*>("customButton")->click();
        box.accept();
    };
    w.aboutAction->trigger();
    EXPECT_EQ(aboutTitles, (std::vector<std::string>{w.BuildStamp().toStdString()}));
    EXPECT_EQ(messages, (std::vector<std::string>{kAboutHelpText}));
}

// Tab goes from the file list through the options in their order and back;
// in a group it stops only at the checked radio, wherever that is.
TEST_F(MainWindowFocusTest, TabWalksTheOptionsInOrderAndStopsAtEachGroupsCheckedRadio) {
    MainWindow& w = ShownWindow();
    EXPECT_EQ(QApplication::focusWidget(), w.fileList) << "the main control has the focus";
    const std::vector<QWidget*> chain = {
        w.courierRadio,       w.linePrinterRadio, w.printerComboBox,  w.compressedCheck,
        w.landscapeCheck,     w.headersCheck,     w.lineNumbersCheck, w.printBarsCheck,
        w.barHeightSpin,      w.sixLpiRadio,      w.eightLpiRadio,    w.ibmCharsetRadio,
        w.roman8CharsetRadio, w.fileList};
    std::vector<QWidget*> seen; // once round, back to the file list
    QWidget* next = w.fileList;
    do {
        next = next->nextInFocusChain();
        if (std::find(chain.begin(), chain.end(), next) != chain.end())
            seen.push_back(next);
    } while (next != w.fileList);
    EXPECT_EQ(seen, chain);

    struct Case {
        std::vector<QRadioButton*> checked;
        std::vector<QWidget*> stops; // after the file list
    };
    const Case cases[] = {
        {{w.courierRadio, w.eightLpiRadio, w.ibmCharsetRadio},
         {w.courierRadio, w.printerComboBox, w.compressedCheck, w.landscapeCheck, w.printBarsCheck,
          w.barHeightSpin, w.eightLpiRadio, w.ibmCharsetRadio, w.fileList}},
        {{w.linePrinterRadio, w.sixLpiRadio, w.roman8CharsetRadio},
         {w.linePrinterRadio, w.printerComboBox, w.compressedCheck, w.landscapeCheck,
          w.printBarsCheck, w.barHeightSpin, w.sixLpiRadio, w.roman8CharsetRadio, w.fileList}},
    };
    for (const Case& c : cases) {
        for (QRadioButton* radio : c.checked)
            radio->setChecked(true);
        std::vector<QWidget*> stops;
        for (std::size_t i = 0; i < c.stops.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops.push_back(QApplication::focusWidget());
        }
        EXPECT_EQ(stops, c.stops);
    }
}

} // namespace
} // namespace zl
