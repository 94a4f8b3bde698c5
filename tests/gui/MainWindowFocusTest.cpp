// Which window has the focus and where the keyboard goes in it: the window
// looks the printers up afresh when shown and when the user comes back from
// any other window, and Tab walks its controls in order.
#include "tests/gui/MainWindowFixture.h"

#include "app/BarHeightSpinBox.h"
#include "app/FileListBox.h"
#include "printer/FailureWords.h"
#include "printing/SystemPrintService.h"

#include "tests/support/PrintAndWait.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
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

// The default printer is selected when the window is first shown; after that
// the user's pick stays, wherever the user comes back from, until the
// printer is no longer installed.
TEST_F(MainWindowFocusTest, TheUsersPrinterStaysChosenUntilItIsNoLongerInstalled) {
    MainWindow& w = Window();
    // Until the window is shown: the printer current when it was made, and
    // the build stamp. A pick before that does not stay.
    EXPECT_EQ(w.SelectedPrinterIndex(), 1);
    EXPECT_EQ(w.printerInfoLabel->text(), w.BuildStamp());
    PickPrinter(w, 0);
    w.show();
    EXPECT_EQ(w.SelectedPrinterIndex(), 1);
    EXPECT_TRUE(w.printerInfoLabel->text().contains("Office"));
    ASSERT_TRUE(WaitForFocus(w));

    test::WriteFile(dir / "a.txt", "a\r\n");
    w.AddFiles({QString::fromStdString((dir / "a.txt").string())});
    onAbout = [&](QDialog& box) { ReturnFromABox(w, box); };
    onDialog = onAbout;
    QWidget messageBox;
    const std::pair<const char*, std::function<void()>> returns[] = {
        {"another application", [&] { ReturnFromAnotherApplication(w); }},
        {"the About box", [&] { w.aboutAction->trigger(); }},
        {"a message box", [&] { ReturnFromABox(w, messageBox); }},
        {"the Open dialog", [&] { w.openAction->trigger(); }},
        {"the preview", [&] { ASSERT_TRUE(test::PreviewAndWait(w)); }},
    };
    for (const auto& [from, returnFrom] : returns) {
        SCOPED_TRACE(from);
        PickPrinter(w, 0);
        returnFrom();
        EXPECT_EQ(w.SelectedPrinterIndex(), 0);
        EXPECT_EQ(w.printerComboBox->currentText(), "Laser");
    }
    EXPECT_EQ(previews.size(), 1u);
    EXPECT_TRUE(errors.empty());

    spooler.printers = {"Office"};
    ReturnFromABox(w, messageBox);
    EXPECT_EQ(w.printerComboBox->currentText(), "Office");
    EXPECT_EQ(w.printerComboBox->count(), 1);
    const QString gone = "'Laser' is no longer installed; the default printer 'Office' is selected";
    EXPECT_EQ(w.statusBar()->currentMessage(), gone);
    EXPECT_EQ(w.statusBar()->toolTip(), "");
    // A text too long for the bar is shortened and whole in the tool tip,
    // never hidden behind the labels beside it.
    const QString twice = gone + "; " + gone;
    w.ShowStatus(twice);
    EXPECT_TRUE(w.statusBar()->currentMessage().endsWith(QChar(0x2026)))
        << w.statusBar()->currentMessage().toStdString();
    EXPECT_EQ(w.statusBar()->toolTip(), twice);
}

// A print server that cannot be reached leaves the user's printer chosen:
// each Print names it and fails, and nothing goes to "PCL File" instead.
TEST_F(MainWindowFocusTest, AnUnreachableQueueFailsEachPrintAndNothingGoesToPclFile) {
    auto* server = new test::RecordingPrintService;
    server->printers = {"Laser", "Office"};
    server->defaultName = "Office";
    SystemPrintService system(std::unique_ptr<PrintService>(server),
                              std::make_unique<PclFileService>(dir / "out"));
    PrinterList printers(system);
    spoolerInUse = &system;
    printerInUse = &printers;
    MainWindow& w = ShownWindow();
    PickPrinter(w, 0);
    test::WriteFile(dir / "a.txt", "a\r\n");
    w.AddFiles({QString::fromStdString((dir / "a.txt").string())});

    const FailureCause cause(CauseKind::ServerUnreachable,
                             "cannot reach the print server 127.0.0.1:8741", "127.0.0.1:8741");
    server->Fail("Printers", 0, cause);
    server->Fail("OpenJob", 0, cause);
    QWidget messageBox;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(test::PrintAndWait(w));
        ReturnFromABox(w, messageBox); // as the error box closes
    }
    ASSERT_EQ(failures.size(), 2u);
    for (const auto& [text, details] : failures) {
        EXPECT_EQ(text, "Cannot print a.txt: the print server 127.0.0.1:8741 does not answer.");
        EXPECT_NE(details.find("'Laser': " + cause.words), std::string::npos) << details;
    }
    EXPECT_EQ(w.printerComboBox->currentText(), "Laser");
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));
    w.close();
    window.reset(); // before the service it prints through
}

TEST_F(MainWindowFocusTest, AFailingLookUpIsReportedOnceNotAtEveryReturn) {
    MainWindow& w = ShownWindow();
    errors.clear();
    spooler.Throw("Printers");
    QWidget messageBox;
    for (int i = 0; i < 3; ++i)
        ReturnFromABox(w, messageBox);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(w.Geometry().lineWidth, 133) << "the page settings still run";
}

TEST_F(MainWindowFocusTest, TheAboutBoxIsTitledWithTheBuildStampAndGivesMoreHelp) {
    MainWindow& w = Window();
    PickPrinter(w, 0); // the info bar shows the printer, not the build stamp
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
        w.courierRadio,    w.linePrinterRadio,   w.printerComboBox,  w.compressedCheck,
        w.landscapeCheck,  w.headersCheck,       w.lineNumbersCheck, w.printBarsCheck,
        w.barHeightSpin,   w.emphasisCheck,      w.sixLpiRadio,      w.eightLpiRadio,
        w.ibmCharsetRadio, w.roman8CharsetRadio, w.copiesSpin,       w.twoSidedCombo,
        w.paperCombo,      w.trayCombo,          w.fileList};
    std::vector<QWidget*> seen; // once round, back to the file list
    QWidget* next = w.fileList;
    do {
        next = next->nextInFocusChain();
        if (std::find(chain.begin(), chain.end(), next) != chain.end())
            seen.push_back(next);
    } while (next != w.fileList);
    EXPECT_EQ(seen, chain);

    // A disabled control (Emphasis in a build without languages) is no stop.
    struct Case {
        std::vector<QRadioButton*> checked;
        std::vector<QWidget*> stops; // after the file list, when enabled
    };
    const Case cases[] = {
        {{w.courierRadio, w.eightLpiRadio, w.ibmCharsetRadio},
         {w.courierRadio, w.printerComboBox, w.compressedCheck, w.landscapeCheck, w.printBarsCheck,
          w.barHeightSpin, w.emphasisCheck, w.eightLpiRadio, w.ibmCharsetRadio, w.copiesSpin,
          w.twoSidedCombo, w.paperCombo, w.trayCombo, w.fileList}},
        {{w.linePrinterRadio, w.sixLpiRadio, w.roman8CharsetRadio},
         {w.linePrinterRadio, w.printerComboBox, w.compressedCheck, w.landscapeCheck,
          w.printBarsCheck, w.barHeightSpin, w.emphasisCheck, w.sixLpiRadio, w.roman8CharsetRadio,
          w.copiesSpin, w.twoSidedCombo, w.paperCombo, w.trayCombo, w.fileList}},
    };
    for (const Case& c : cases) {
        for (QRadioButton* radio : c.checked)
            radio->setChecked(true);
        std::vector<QWidget*> expected = c.stops;
        expected.erase(std::remove_if(expected.begin(), expected.end(),
                                      [](const QWidget* stop) { return !stop->isEnabled(); }),
                       expected.end());
        std::vector<QWidget*> stops;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops.push_back(QApplication::focusWidget());
        }
        EXPECT_EQ(stops, expected);
    }
}

} // namespace
} // namespace zl
