// The Print command runs in the background: the window goes on while a file
// prints, shows how far it is, can cancel the run and says how it ended.
// Inputs that stall (FIFOs the test feeds) hold a run for as long as a test
// looks at the window.
#include "tests/gui/MainWindowFixture.h"

#include "app/BarHeightSpinBox.h"
#include "app/FileListBox.h"
#include "platform/Interruption.h"

#include "tests/support/StalledInput.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>

namespace zl {
namespace {

class MainWindowPrintRunTest : public test::MainWindowFixture {
protected:
    MainWindowPrintRunTest() {
        // Called in the run's thread: only the flag is touched there.
        spooler.onOpenJob = [this] { jobOpened = true; };
    }

    // The window shown and active, so that its shortcuts take keys.
    MainWindow& ActiveWindow() {
        MainWindow& w = Window();
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }

    static QString PathOf(const std::filesystem::path& path) {
        return QString::fromStdString(path.string());
    }

    std::atomic<bool> jobOpened{false};
};

// A timer presses Escape once the job has begun: only a window whose event
// loop turns while the run waits for its input sees the timer fire.
TEST_F(MainWindowPrintRunTest, EscapeCancelsARunWhoseInputStallsWhileTheWindowGoesOn) {
    MainWindow& w = ActiveWindow();
    test::StalledInput stalled(dir / "stalled.txt");
    ASSERT_TRUE(stalled.Made());
    test::WriteFile(dir / "later.txt", "later\n");
    w.AddFiles({PathOf(stalled.Path()), PathOf(dir / "later.txt")});
    bool pressed = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (jobOpened && !pressed) {
            pressed = true;
            QTest::keyClick(&w, Qt::Key_Escape);
        }
    });
    timer.start(20);
    w.PrintTickedFiles();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.printingLabel->text() == "Cancelled"; }, 10000))
        << w.printingLabel->text().toStdString();
    ASSERT_EQ(spooler.jobs.size(), 1u) << "the file after it is not printed";
    EXPECT_TRUE(spooler.jobs[0].aborted);
    EXPECT_FALSE(spooler.jobs[0].ended);
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(failures.empty());
}

// A preview whose first page does not come (its input stalls) is said in
// the status bar with a busy bar and Cancel; Escape stops it, and no
// preview opens.
TEST_F(MainWindowPrintRunTest, EscapeStopsAPreviewWhoseInputStalls) {
    MainWindow& w = ActiveWindow();
    test::StalledInput stalled(dir / "stalled.txt");
    ASSERT_TRUE(stalled.Made());
    w.AddFiles({PathOf(stalled.Path())});
    w.previewAction->trigger();
    EXPECT_EQ(w.printingLabel->text(), "Preparing the preview of stalled.txt");
    EXPECT_TRUE(w.printProgress->isVisible());
    EXPECT_FALSE(w.previewAction->isEnabled());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.Previewing(); }, 10000));
    EXPECT_EQ(w.printingLabel->text(), "Cancelled");
    EXPECT_FALSE(w.cancelPrintButton->isVisible());
    EXPECT_TRUE(w.previewAction->isEnabled());
    EXPECT_FALSE(stalled.GuardReleased()) << "the preview stopped waiting at once";
    EXPECT_TRUE(previews.empty());
}

// While the first file stalls: its name and number in the status bar, in
// full, a busy bar (a FIFO has no size), the Cancel button, and the controls
// that would change the run disabled. At the end: what was printed, and each
// control enabled as its own rule says (the bar height only with bars);
// the run's texts in red, what printed in the window's own text colour.
TEST_F(MainWindowPrintRunTest, WhileARunGoesItsControlsAreDisabledAndItsEndIsSaid) {
    MainWindow& w = ActiveWindow();
    std::string lines;
    for (int i = 1; i <= 200; ++i)
        lines += "line " + std::to_string(i) + "\n";
    test::WriteFile(dir / "short.txt", "one\ntwo\n");
    struct Case {
        bool bars;
        std::string stalledText;
        bool withShort;
        QString during, end;
    };
    // 200 lines take 3 pages at 8 lpi (78 + 78 + 44 numbered lines).
    const Case cases[] = {
        {true, "one\n", false, "Printing a-rather-long-name.txt (1 of 1)",
         "Printed 1 file, 1 page, on Office"},
        {false, lines, true, "Printing a-rather-long-name.txt (1 of 2)",
         "Printed 2 files, 4 pages, on Office"},
        // Characters nothing prints are counted (U+0378 is none).
        {true, "\xcd\xb8\xcd\xb8\n", false, "Printing a-rather-long-name.txt (1 of 1)",
         "Printed 1 file, 1 page, on Office; 2 characters could not be printed (shown as ?)"},
    };
    QWidget* const controls[] = {w.fileList,         w.printerComboBox,  w.courierRadio,
                                 w.linePrinterRadio, w.compressedCheck,  w.landscapeCheck,
                                 w.printBarsCheck,   w.barHeightSpin,    w.sixLpiRadio,
                                 w.eightLpiRadio,    w.ibmCharsetRadio,  w.roman8CharsetRadio,
                                 w.headersCheck,     w.lineNumbersCheck, w.copiesSpin,
                                 w.twoSidedCombo,    w.paperCombo,       w.trayCombo};
    QAction* const actions[] = {w.printAction, w.previewAction, w.deleteEntryAction,
                                w.clearListAction};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.end.toStdString());
        w.ClearList();
        w.printBarsCheck->setChecked(c.bars);
        test::StalledInput stalled(dir / "a-rather-long-name.txt");
        ASSERT_TRUE(stalled.Made());
        w.AddFiles({PathOf(stalled.Path())});
        if (c.withShort)
            w.AddFiles({PathOf(dir / "short.txt")});
        QSignalSpy finished(&w, &MainWindow::PrintRunFinished);
        w.PrintTickedFiles();

        QLabel& label = *w.printingLabel;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return label.text() == c.during &&
                   label.contentsRect().width() >= label.fontMetrics().horizontalAdvance(c.during);
        })) << label.text().toStdString();
        EXPECT_TRUE(w.infoStatusBar->rect().contains(label.geometry()));
        const QColor windowText = w.palette().color(QPalette::WindowText);
        EXPECT_NE(label.palette().color(QPalette::WindowText), windowText) << "in red";
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.printProgress->maximum() == 0; }));
        EXPECT_TRUE(w.printProgress->isVisible());
        EXPECT_TRUE(w.cancelPrintButton->isVisible());
        EXPECT_FALSE(w.cancelPrintButton->autoRaise()) << "framed, as a button";
        for (QWidget* control : controls)
            EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
        for (QAction* action : actions)
            EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
        EXPECT_TRUE(w.aboutAction->isEnabled());
        EXPECT_TRUE(w.exitAction->isEnabled());

        stalled.Release(c.stalledText);
        ASSERT_TRUE(finished.wait(10000));
        EXPECT_EQ(label.text(), c.end);
        EXPECT_EQ(label.palette().color(QPalette::WindowText), windowText);
        EXPECT_FALSE(w.printProgress->isVisible());
        EXPECT_FALSE(w.cancelPrintButton->isVisible());
        for (QWidget* control : controls) {
            const bool enabled = control == w.barHeightSpin ? c.bars
                                 : control == w.headersCheck || control == w.lineNumbersCheck
                                     ? false
                                     : true;
            EXPECT_EQ(control->isEnabled(), enabled) << control->objectName().toStdString();
        }
        for (QAction* action : actions)
            EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    }
    EXPECT_TRUE(failures.empty());
}

// The first failure stops the run; its box names the file and the cause in
// plain words, the technical text in its details, and the status what was
// not printed. The failures the spooler
// is told of stay: each case's comes earlier in a job than the one before.
TEST_F(MainWindowPrintRunTest, AFailureIsShownInPlainWordsWithTheTechnicalTextAsDetails) {
    MainWindow& w = Window();
    PickPrinter(w, 0); // Laser
    test::WriteFile(dir / "a.txt", "a\n");
    test::WriteFile(dir / "b.txt", "b\n");
    struct Case {
        const char* first; // the file that fails
        std::function<void()> breakService;
        std::string text, details;
    };
    const Case cases[] = {
        {"missing.txt", [] {}, "Cannot print missing.txt: the file does not exist.",
         "File not found"},
        {"a.txt",
         [&] {
             spooler.Fail("StartDocument", 0,
                          {CauseKind::NotAcceptingJobs,
                           "Destination \"Laser\" is not accepting jobs.", "Laser"});
         },
         "Cannot print a.txt: the printer Laser does not accept jobs.",
         "WritePrinter() API failed @ WriteData: Destination \"Laser\" is not accepting jobs."},
        {"a.txt",
         [&] {
             spooler.Fail("OpenJob", 0,
                          {CauseKind::ServerUnreachable,
                           "cannot reach the print server 127.0.0.1:8741", "127.0.0.1:8741"});
         },
         "Cannot print a.txt: the print server 127.0.0.1:8741 does not answer.",
         "OpenPrinter()=False @ StartJob with PrinterName:'Laser': cannot reach the print "
         "server 127.0.0.1:8741"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        c.breakService();
        w.ClearList();
        w.AddFiles({PathOf(dir / c.first), PathOf(dir / "b.txt")});
        failures.clear();
        ASSERT_TRUE(test::PrintAndWait(w));
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_EQ(failures[0].first, c.text);
        EXPECT_EQ(failures[0].second, c.details);
        EXPECT_EQ(w.printingLabel->text().toStdString(),
                  "0 of 2 files printed on Laser; not printed: " + std::string(c.first) +
                      " and 1 more");
        for (const test::RecordedJob& job : spooler.jobs)
            EXPECT_FALSE(job.ended) << "nothing prints, the second file neither";
    }
    EXPECT_TRUE(errors.empty());
}

// Copies, Two-sided, Paper and Tray reach the job, right after the reset;
// Paper and Tray offer, after "Printer default" (nothing asked), the
// printer's forms and bins that have a PCL number, or for a printer that
// names none the papers and trays of any PCL printer.
TEST_F(MainWindowPrintRunTest, TheRequestControlsReachTheJobsBytes) {
    spooler.capabilities["Office"] = {{{"Letter", 1, {2159, 2794}, 2, "US Letter"},
                                       {"Ledger", 258, {2794, 4318}, 0},
                                       {"A4", 9, {2100, 2970}, 26}},
                                      {{"Upper", 1, 1}, {"Odd", 300, 0}, {"Lower", 2, 4}},
                                      true,
                                      {}};
    MainWindow& w = ActiveWindow();
    const auto items = [](const QComboBox* combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts.join(", ").toStdString();
    };
    EXPECT_EQ(items(w.twoSidedCombo), "None, Long edge, Short edge");
    EXPECT_EQ(items(w.paperCombo), "Printer default, US Letter, A4") << "as the printer names them";
    EXPECT_EQ(items(w.trayCombo), "Printer default, Upper, Lower");
    test::WriteFile(dir / "a.txt", "a\n");
    w.AddFiles({PathOf(dir / "a.txt")});
    struct Case {
        int copies, sides, paper, tray; // the value and the items chosen
        std::string requests;
    };
    const Case cases[] = {
        {1, 0, 0, 0, ""},
        {3, 1, 2, 2, "\x1b&l26A\x1b&l4H\x1b&l1S\x1b&l3X"},
        {999, 2, 1, 1, "\x1b&l2A\x1b&l1H\x1b&l2S\x1b&l999X"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.copies);
        w.copiesSpin->setValue(c.copies);
        w.twoSidedCombo->setCurrentIndex(c.sides);
        w.paperCombo->setCurrentIndex(c.paper);
        w.trayCombo->setCurrentIndex(c.tray);
        ASSERT_TRUE(test::PrintAndWait(w));
        // The reset, the requests, then 80 lines of 16.67 cpi Courier at 8 lpi.
        const std::string prologue =
            std::string("\x1b") + "E" + c.requests + "\x1b&l8D\x1b&l80F\x1b(10U\x1b(s0p16.67H";
        EXPECT_EQ(spooler.jobs.back().Bytes().substr(0, prologue.size()), prologue);
    }

    // A queue that names no forms and no bins (a raw queue) is asked for
    // what any PCL printer takes; the paper picked stays, whatever each
    // printer calls it.
    w.paperCombo->setCurrentIndex(1);
    emit w.paperCombo->activated(1);
    PickPrinter(w, 0); // Laser
    EXPECT_EQ(items(w.paperCombo), "Printer default, Letter, Legal, A4");
    EXPECT_EQ(w.paperCombo->currentText(), "Letter");
    EXPECT_EQ(items(w.trayCombo),
              "Printer default, Main tray, Lower tray, Manual feed, Automatic selection");
    w.copiesSpin->setValue(1);
    w.twoSidedCombo->setCurrentIndex(0);
    w.paperCombo->setCurrentIndex(2);
    w.trayCombo->setCurrentIndex(4);
    ASSERT_TRUE(test::PrintAndWait(w));
    const std::string requests = "\x1b"
                                 "E\x1b&l3A\x1b&l7H\x1b&l8D";
    EXPECT_EQ(spooler.jobs.back().Bytes().substr(0, requests.size()), requests);
}

// A run still going when the window goes. Exit asks: No keeps the window
// and the run, Yes cancels the run, waits for it and closes. A stop signal
// ends the program, which takes the window down with the run. Either way
// the job is cancelled before the window is gone, and the file after it is
// not printed.
TEST_F(MainWindowPrintRunTest, AWindowThatGoesDuringARunCancelsItAndWaitsForIt) {
    struct Case {
        const char* how;
        std::function<void(MainWindow&)> leave;
    };
    const Case cases[] = {
        {"Exit",
         [&](MainWindow& w) {
             QSignalSpy finished(&w, &MainWindow::PrintRunFinished);
             answerYes = false;
             w.exitAction->trigger();
             EXPECT_TRUE(w.isVisible());
             EXPECT_TRUE(w.Printing());
             answerYes = true;
             w.exitAction->trigger();
             EXPECT_FALSE(w.isVisible());
             EXPECT_FALSE(w.Printing());
             EXPECT_EQ(finished.count(), 1);
             EXPECT_EQ(questions.size(), 2u);
             EXPECT_EQ(w.printingLabel->text(), "Cancelled");
         }},
        {"a stop signal", [&](MainWindow&) { RequestStop(SIGTERM); }},
    };
    test::WriteFile(dir / "later.txt", "later\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        MainWindow& w = ActiveWindow();
        test::StalledInput stalled(dir / "stalled.txt");
        ASSERT_TRUE(stalled.Made());
        w.AddFiles({PathOf(stalled.Path()), PathOf(dir / "later.txt")});
        const std::size_t jobsBefore = spooler.jobs.size();
        jobOpened = false;
        w.PrintTickedFiles();
        ASSERT_TRUE(QTest::qWaitFor([&] { return jobOpened.load(); }));
        c.leave(w);
        window.reset();
        ClearStopRequest();
        EXPECT_FALSE(stalled.GuardReleased()) << "the run waited for its input";
        ASSERT_EQ(spooler.jobs.size(), jobsBefore + 1) << "the file after it is not printed";
        EXPECT_TRUE(spooler.jobs.back().aborted);
        EXPECT_FALSE(spooler.jobs.back().ended);
    }
}

} // namespace
} // namespace zl
