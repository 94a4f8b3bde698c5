// The Print command of the window, through the private CUPS server.
#include "app/FileListBox.h"
#include "app/MainWindow.h"
#include "app/PrinterComboBox.h"
#include "printing/CupsPrintService.h"
#include "printing/SystemPrintService.h"

#include "tests/support/CupsTestServer.h"
#include "tests/support/PrintAndWait.h"
#include "tests/support/QtWarnings.h"
#include "tests/support/StalledInput.h"
#include "tests/support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QToolButton>
#include <cups/cups.h>
#include <cups/ipp.h>
#include <gtest/gtest.h>

namespace zl {
namespace {

using test::CupsTestServer;

// The window on `service`, with its messages, errors and failures kept.
struct WindowOn {
    explicit WindowOn(PrintService& service,
                      std::function<void(QPrintPreviewDialog&)> runPreview = nullptr)
        : printer(service) {
        services.runPreview = std::move(runPreview);
        services.spooler = &service;
        services.printer = &printer;
        services.clock = &clock;
        services.names = LocaleNames::English();
        services.executablePath = ZELLIST_GUI_BINARY;
        services.showMessage = [this](const QString& text) {
            messages.push_back(text.toStdString());
        };
        services.showError = [this](const QString& text) { errors.push_back(text.toStdString()); };
        services.showFailure = [this](const QString& text, const QString& details) {
            failures.push_back(text.toStdString() + " | " + details.toStdString());
        };
        services.runOpenDialog = [](QFileDialog&) { return QStringList(); };
        window = std::make_unique<MainWindow>(services);
    }

    // Picks the queue `name` in the window's printer list.
    void PickQueue(const std::string& name) {
        const std::vector<std::string> names = printer.EntryNames();
        const int index =
            static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
        ASSERT_LT(index, static_cast<int>(names.size()));
        window->printerComboBox->setCurrentIndex(index);
        emit window->printerComboBox->activated(index);
        ASSERT_EQ(window->SelectedPrinterIndex(), index);
    }

    PrinterList printer;
    FixedClock clock{LocalTime{2026, 12, 6, 0, 11, 31, 0}};
    std::vector<std::string> messages, errors, failures;
    MainWindowServices services;
    std::unique_ptr<MainWindow> window;
};

// The ids of the jobs `queue` has had since the ids `before`.
std::vector<int> NewJobs(const CupsTestServer& server, const std::string& queue,
                         const std::vector<int>& before) {
    std::vector<int> jobs;
    for (int id : server.JobIds(queue)) {
        if (before.empty() || id > before.back())
            jobs.push_back(id);
    }
    return jobs;
}

// The window on the shared server, printing on the command-line tests'
// queue, which no other test here uses.
struct WindowOnZcli {
    WindowOnZcli() { on.PickQueue("zcli"); }

    CupsTestServer server = CupsTestServer::Shared();
    test::TempDir files;
    SystemPrintService service{std::make_unique<CupsPrintService>(server.Address()),
                               std::make_unique<PclFileService>(files.Path())};
    WindowOn on{service};
};

TEST(GuiPrintRun, TheFirstFailureStopsTheRunAndLeavesNothingOpen) {
    WindowOnZcli zcli;
    MainWindow& window = *zcli.on.window;

    test::WriteFile(zcli.files / "one.txt", "one\r\n");
    test::WriteFile(zcli.files / "three.txt", "three\r\n");
    window.AddFiles({QString::fromStdString((zcli.files / "one.txt").string()),
                     QString::fromStdString((zcli.files / "missing.txt").string()),
                     QString::fromStdString((zcli.files / "three.txt").string())});
    const std::vector<int> before = zcli.server.JobIds("zcli");
    ASSERT_TRUE(test::PrintAndWait(window));

    EXPECT_EQ(zcli.on.failures,
              (std::vector<std::string>{
                  "Cannot print missing.txt: the file does not exist. | File not found"}));
    EXPECT_TRUE(zcli.on.errors.empty());
    EXPECT_TRUE(zcli.on.messages.empty());
    EXPECT_EQ(window.printingLabel->text(), "");
    const std::vector<int> jobs = NewJobs(zcli.server, "zcli", before);
    ASSERT_EQ(jobs.size(), 1u)
        << "the first listing; the missing file makes no job, the third none";
    EXPECT_EQ(zcli.server.WaitForFinalState("zcli", jobs[0]), IPP_JSTATE_COMPLETED);
    EXPECT_NE(zcli.server.JobData("zcli", jobs[0]).find("      1: one\r\n"), std::string::npos);
}

TEST(GuiPrintRun, ASilentPrintServerCostsTheWindowOneShortWaitAndPclFileStillPrints) {
    test::SilentServer silent;
    test::TempDir files;
    CupsTimeLimits limits;
    limits.lookup = std::chrono::milliseconds(500);
    SystemPrintService service(std::make_unique<CupsPrintService>(silent.Address(), limits),
                               std::make_unique<PclFileService>(files / "out"));
    WindowOn on(service); // the one wait: the first look-up finds the server silent
    MainWindow& window = *on.window;
    window.show();

    // Activations after it ask nothing of the silent server.
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 3; ++i)
        window.ActivateWindow();
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 0.4);
    EXPECT_EQ(on.printer.EntryNames(), (std::vector<std::string>{"PCL File"}));
    EXPECT_EQ(service.FallbackNote(), "the print server " + silent.Address() + " does not answer");

    test::WriteFile(files / "one.txt", "one\r\n");
    window.AddFiles({QString::fromStdString((files / "one.txt").string())});
    ASSERT_TRUE(test::PrintAndWait(window));
    EXPECT_TRUE(on.errors.empty());
    EXPECT_TRUE(on.failures.empty());
    EXPECT_EQ(window.printingLabel->text(), "Printed 1 file, 1 page, on PCL File");
    EXPECT_NE(test::ReadFile(files / "out" / "ZelPrint Job-0001.pcl").find("      1: one\r\n"),
              std::string::npos);
}

// The preview of a landscape listing, with the server's queues known to
// Qt's print support as they are on a desktop: landscape pages from the
// start, no warnings, and its Print button set on the window's printer.
TEST(GuiPrintRun, APreviewIsInTheListingsOrientationAndPrintsOnTheChosenPrinter) {
    CupsTestServer server = CupsTestServer::Shared();
    cupsSetServer(server.Address().c_str()); // where Qt's print support asks
    test::TempDir files;
    SystemPrintService service(std::make_unique<CupsPrintService>(server.Address()),
                               std::make_unique<PclFileService>(files.Path()));
    struct Seen {
        QString printer;
        bool landscape;
        int pages;
    };
    std::vector<Seen> seen;
    WindowOn on(service, [&](QPrintPreviewDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        preview->updatePreview();
        seen.push_back({dialog.printer()->printerName(),
                        dialog.printer()->pageLayout().orientation() == QPageLayout::Landscape,
                        preview->pageCount()});
    });
    MainWindow& window = *on.window;
    on.PickQueue("zcli");
    std::string lines;
    for (int i = 1; i <= 100; ++i)
        lines += "line\n";
    test::WriteFile(files / "a.txt", lines);
    window.AddFiles({QString::fromStdString((files / "a.txt").string())});
    window.landscapeCheck->setChecked(true);

    {
        const test::QtWarnings warnings;
        window.previewAction->trigger();
        EXPECT_TRUE(warnings.None()) << warnings.First();
    }
    cupsSetServer(nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].printer, "zcli");
    EXPECT_TRUE(seen[0].landscape);
    EXPECT_EQ(seen[0].pages, 2) << "60 lines a page";
    EXPECT_TRUE(on.errors.empty());
}

// A queue whose PPD gives its trays' PCL commands: the window offers each
// tray with the PPD's number, and the listing asks for it by that number.
// zppd's Tray2 is paper source 5, where its name alone would say 4.
TEST(GuiPrintRun, ATrayIsAskedForWithTheCommandTheQueuesPpdGivesIt) {
    CupsTestServer server = CupsTestServer::Shared();
    test::TempDir files;
    SystemPrintService service(std::make_unique<CupsPrintService>(server.Address()),
                               std::make_unique<PclFileService>(files.Path()));
    WindowOn on(service);
    on.PickQueue("zppd");
    MainWindow& window = *on.window;
    std::vector<int> trays; // Tray1, Tray2, Manual
    for (int i = 1; i < window.trayCombo->count(); ++i)
        trays.push_back(window.trayCombo->itemData(i).toInt());
    ASSERT_EQ(trays, (std::vector<int>{1, 5, 2}));
    window.trayCombo->setCurrentIndex(2);

    test::WriteFile(files / "a.txt", "a\r\n");
    window.AddFiles({QString::fromStdString((files / "a.txt").string())});
    const std::vector<int> before = server.JobIds("zppd");
    ASSERT_TRUE(test::PrintAndWait(window));
    EXPECT_TRUE(on.failures.empty());
    const std::vector<int> jobs = NewJobs(server, "zppd", before);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(server.WaitForFinalState("zppd", jobs[0]), IPP_JSTATE_COMPLETED);
    // The reset, the tray, then the page as ever.
    const std::string prologue = std::string("\x1b") + "E" + "\x1b&l5H\x1b&l8D";
    EXPECT_EQ(server.JobData("zppd", jobs[0]).substr(0, prologue.size()), prologue);
}

// Cancel while the run waits for a file that stalls, its job on the server:
// the job is cancelled there, nothing of it printed, and the file after it
// makes no job.
TEST(GuiPrintRun, ARunCancelledFromTheWindowLeavesItsJobCancelledAndNothingPrinted) {
    WindowOnZcli zcli;
    MainWindow& window = *zcli.on.window;
    test::StalledInput stalled(zcli.files / "stalled.txt");
    ASSERT_TRUE(stalled.Made());
    test::WriteFile(zcli.files / "later.txt", "later\r\n");
    window.AddFiles({QString::fromStdString(stalled.Path().string()),
                     QString::fromStdString((zcli.files / "later.txt").string())});
    const std::vector<int> before = zcli.server.JobIds("zcli");
    QSignalSpy finished(&window, &MainWindow::PrintRunFinished);
    window.PrintTickedFiles();
    std::vector<int> jobs;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            jobs = NewJobs(zcli.server, "zcli", before);
            return !jobs.empty();
        },
        20000));
    window.cancelPrintButton->click();
    ASSERT_TRUE(finished.wait(30000));

    EXPECT_EQ(window.printingLabel->text(), "Cancelled");
    EXPECT_TRUE(zcli.on.failures.empty());
    EXPECT_EQ(NewJobs(zcli.server, "zcli", before), jobs) << "the file after it makes no job";
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(zcli.server.WaitForFinalState("zcli", jobs[0]), IPP_JSTATE_CANCELED);
    EXPECT_EQ(zcli.server.JobData("zcli", jobs[0]), "");
}

} // namespace
} // namespace zl
