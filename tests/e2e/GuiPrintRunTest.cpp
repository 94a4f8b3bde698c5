// The Print command of the window, through the private CUPS server.
#include "app/FileListBox.h"
#include "app/MainWindow.h"
#include "app/PrinterComboBox.h"
#include "printing/CupsPrintService.h"
#include "printing/SystemPrintService.h"

#include "tests/support/CupsTestServer.h"
#include "tests/support/TempDir.h"

#include <QCheckBox>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <cups/cups.h>
#include <cups/ipp.h>
#include <gtest/gtest.h>

namespace zl {
namespace {

using test::CupsTestServer;

// The window on `service`, with its messages and errors kept.
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
        services.runOpenDialog = [](QFileDialog&) { return QStringList(); };
        window = std::make_unique<MainWindow>(services);
    }

    PrinterList printer;
    FixedClock clock{LocalTime{2026, 12, 6, 0, 11, 31, 0}};
    std::vector<std::string> messages, errors;
    MainWindowServices services;
    std::unique_ptr<MainWindow> window;
};

TEST(GuiPrintRun, TheFirstFailureStopsTheRunAndLeavesNothingOpen) {
    CupsTestServer server = CupsTestServer::Shared();
    test::TempDir files;
    SystemPrintService service(std::make_unique<CupsPrintService>(server.Address()),
                               std::make_unique<PclFileService>(files.Path()));
    WindowOn on(service);
    PrinterList& printer = on.printer;
    MainWindow& window = *on.window;
    std::vector<std::string>& messages = on.messages;
    std::vector<std::string>& errors = on.errors;

    // Print on the command-line tests' queue, which no other test here uses.
    const std::vector<std::string> names = printer.EntryNames();
    const int zcli =
        static_cast<int>(std::find(names.begin(), names.end(), "zcli") - names.begin());
    ASSERT_LT(zcli, static_cast<int>(names.size()));
    window.printerComboBox->setCurrentIndex(zcli);
    emit window.printerComboBox->activated(zcli);
    ASSERT_EQ(window.SelectedPrinterIndex(), zcli);

    test::WriteFile(files / "one.txt", "one\r\n");
    test::WriteFile(files / "three.txt", "three\r\n");
    window.AddFiles({QString::fromStdString((files / "one.txt").string()),
                     QString::fromStdString((files / "missing.txt").string()),
                     QString::fromStdString((files / "three.txt").string())});
    const std::vector<int> before = server.JobIds("zcli");
    window.PrintTickedFiles();

    EXPECT_EQ(errors, (std::vector<std::string>{"File not found"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window.printingLabel->text(), "");
    std::vector<int> jobs;
    for (int id : server.JobIds("zcli")) {
        if (before.empty() || id > before.back())
            jobs.push_back(id);
    }
    ASSERT_EQ(jobs.size(), 1u)
        << "the first listing; the missing file makes no job, the third none";
    EXPECT_EQ(server.WaitForFinalState("zcli", jobs[0]), IPP_JSTATE_COMPLETED);
    EXPECT_NE(server.JobData("zcli", jobs[0]).find("      1: one\r\n"), std::string::npos);
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
    window.PrintTickedFiles();
    EXPECT_TRUE(on.errors.empty());
    EXPECT_NE(test::ReadFile(files / "out" / "ZelPrint Job-0001.pcl").find("      1: one\r\n"),
              std::string::npos);
}

std::vector<std::string> warnings; // what Qt logged

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
    const int zcli = window.printerComboBox->findText("zcli");
    ASSERT_GE(zcli, 0);
    window.printerComboBox->setCurrentIndex(zcli);
    emit window.printerComboBox->activated(zcli);
    std::string lines;
    for (int i = 1; i <= 100; ++i)
        lines += "line\n";
    test::WriteFile(files / "a.txt", lines);
    window.AddFiles({QString::fromStdString((files / "a.txt").string())});
    window.landscapeCheck->setChecked(true);

    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtDebugMsg && type != QtInfoMsg)
                warnings.push_back(text.toStdString());
        });
    window.previewAction->trigger();
    qInstallMessageHandler(previous);
    cupsSetServer(nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].printer, "zcli");
    EXPECT_TRUE(seen[0].landscape);
    EXPECT_EQ(seen[0].pages, 2) << "60 lines a page";
    EXPECT_TRUE(warnings.empty()) << warnings.front();
    EXPECT_TRUE(on.errors.empty());
}

} // namespace
} // namespace zl
