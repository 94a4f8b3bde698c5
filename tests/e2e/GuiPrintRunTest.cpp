// The Print command of the window, through the private CUPS server.
#include "app/FileListBox.h"
#include "app/MainWindow.h"
#include "app/PreviewPagesView.h"
#include "app/PreviewWindow.h"
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
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSignalSpy>
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
                      std::function<void(PreviewWindow&)> runPreview = nullptr)
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
    EXPECT_EQ(window.printingLabel->text().toStdString(),
              "1 of 3 files printed on zcli; not printed: missing.txt and 1 more");
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

// The bytes zellist writes into `out` for `arguments`, dated as the
// window's clock (Sunday, December 6, 2026 at 11:31 UTC); "" if it failed.
std::string ZelListOutput(const std::string& arguments, const std::filesystem::path& out) {
    const std::string command = "TZ=UTC SOURCE_DATE_EPOCH=1796556660 LC_ALL=C.UTF-8 '" +
                                std::string(ZELLIST_BINARY) + "' -q -o '" + out.string() + "' " +
                                arguments;
    return std::system(command.c_str()) == 0 ? test::ReadFile(out) : std::string();
}

// Page `page` of `pdf` drawn by poppler at `dpi`, in grey.
QImage PdfPage(const std::filesystem::path& pdf, int page, int dpi) {
    const std::filesystem::path png = pdf.parent_path() / ("page-" + std::to_string(page));
    const std::string command = "pdftoppm -gray -png -singlefile -r " + std::to_string(dpi) +
                                " -f " + std::to_string(page) + " -l " + std::to_string(page) +
                                " '" + pdf.string() + "' '" + png.string() + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    return QImage(QString::fromStdString(png.string() + ".png"))
        .convertToFormat(QImage::Format_Grayscale8);
}

// How far `drawn` is from `expected` where anti-aliasing does not count:
// the greys of 4 x 4 pixel blocks compared, the share of blocks that differ
// by more than a quarter of the scale, and the share that has ink at all.
std::pair<double, double> Differing(const QImage& drawn, const QImage& expected) {
    constexpr int kBlock = 4;
    int differing = 0, inked = 0, blocks = 0;
    for (int top = 0; top + kBlock <= expected.height(); top += kBlock) {
        for (int left = 0; left + kBlock <= expected.width(); left += kBlock) {
            int a = 0, b = 0;
            for (int y = top; y < top + kBlock; ++y) {
                for (int x = left; x < left + kBlock; ++x) {
                    a += qGray(drawn.pixel(x, y));
                    b += qGray(expected.pixel(x, y));
                }
            }
            ++blocks;
            differing += std::abs(a - b) > 64 * kBlock * kBlock;
            inked += a < 224 * kBlock * kBlock;
        }
    }
    return {static_cast<double>(differing) / blocks, static_cast<double>(inked) / blocks};
}

// The preview of a generated landscape source of some thousands of pages,
// on the queue with a PPD: pages the user reaches (the first, the last by
// End, one typed in the box) are drawn landscape and as the PDF writer draws
// the whole listing, Cyrillic glyphs downloaded on page 1 included. Its
// Print of the current page prints what `zellist --pages N` does, Save as
// PDF writes what `zellist -o x.pdf --pages` does, and Print through driver
// offers the window's printer.
TEST(GuiPrintRun, APreviewShowsTheListingsPagesAndPrintsOrSavesThePagesAsked) {
    CupsTestServer server = CupsTestServer::Shared();
    cupsSetServer(server.Address().c_str()); // where Qt's print support asks
    test::TempDir files;
    SystemPrintService service(std::make_unique<CupsPrintService>(server.Address()),
                               std::make_unique<PclFileService>(files.Path()));
    std::string text;
    const std::string cyrillic = "съешь же ещё этих мягких французских булок да выпей чаю ";
    for (int line = 1; line <= 160000; ++line) {
        text += std::string(static_cast<std::size_t>(line % 7), '\t') + "x = f(" +
                std::to_string(line) + ");";
        if (line % 20000 == 1 || line > 159990)
            text += " // " + cyrillic + cyrillic;
        text += "\n";
    }
    const std::filesystem::path source = files / "big.c";
    test::WriteFile(source, text);
    // The queue's PPD asks for Letter by default: the preview's paper.
    const std::string whole =
        ZelListOutput("--landscape --paper letter '" + source.string() + "'", files / "all.pdf");
    ASSERT_FALSE(whole.empty());
    constexpr int kDpi = 150;
    static constexpr int kTyped = 1234;

    struct Shown {
        int page;
        std::function<void(PreviewWindow&)> reach;
    };
    std::vector<int> reached;
    QString driverPrinter;
    WindowOn on(service, [&](PreviewWindow& preview) {
        preview.resize(1900, 1500);
        preview.setAttribute(Qt::WA_DontShowOnScreen); // drawn, no window on the screen
        preview.show();
        preview.pages->SetZoom(kDpi / 300.0);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return preview.Loader().CountComplete() &&
                       preview.pages->PageCount() == preview.Loader().PagesCounted();
            },
            30000));
        const int last = preview.Loader().PagesCounted();
        const Shown shown[] = {
            {1, [](PreviewWindow&) {}},
            {last, [](PreviewWindow& p) { p.lastAction->trigger(); }},
            {kTyped,
             [](PreviewWindow& p) {
                 p.pageBox->setText(QString::number(kTyped));
                 emit p.pageBox->returnPressed();
             }},
        };
        for (const Shown& s : shown) {
            SCOPED_TRACE(s.page);
            s.reach(preview);
            EXPECT_EQ(preview.pages->CurrentPage(), s.page);
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return preview.Loader().Page(s.page) != nullptr; }, 30000));
            EXPECT_TRUE(preview.Loader().Page(s.page)->landscape);
            const QRect rect = preview.pages->PageRect(s.page);
            EXPECT_GT(rect.width(), rect.height()) << "a landscape page";
            const QImage drawn = preview.pages->viewport()->grab(rect).toImage();
            const QImage expected = PdfPage(files / "all.pdf", s.page, kDpi);
            ASSERT_EQ(drawn.size(), expected.size());
            const auto [differing, inked] = Differing(drawn, expected);
            EXPECT_LT(differing, 0.0006); // with '?' for the Cyrillic 0.0016
            EXPECT_GT(inked, 0.02) << "the page has text";
            reached.push_back(s.page);
        }
        // The pages asked for in the preview's dialogs.
        const QString pdf = QString::fromStdString((files / "some.pdf").string());
        std::string choice = "pageRangeRadio";
        preview.runDialog = [&](QDialog& dialog) {
            if (auto* print = qobject_cast<QPrintDialog*>(&dialog)) {
                driverPrinter = print->printer()->printerName();
                return static_cast<int>(QDialog::Rejected);
            }
            if (auto* save = qobject_cast<QFileDialog*>(&dialog)) {
                save->selectFile(pdf);
                return static_cast<int>(QDialog::Accepted);
            }
            if (auto* radio = dialog.findChild<QRadioButton*>(QString::fromStdString(choice)))
                radio->setChecked(true);
            if (auto* range = dialog.findChild<QLineEdit*>("pageRangeEdit"))
                range->setText(choice == "pageRangeRadio" ? "3-5,9" : "");
            return static_cast<int>(QDialog::Accepted);
        };
        preview.driverPrintAction->trigger();
        preview.savePdfAction->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return preview.statusLabel->text().startsWith("Saved"); },
                                    30000));
        EXPECT_EQ(
            test::ReadFile(files / "some.pdf"),
            ZelListOutput("--landscape --paper letter --pages 3-5,9 '" + source.string() + "'",
                          files / "some-zellist.pdf"));
        choice = "currentPageRadio";
        preview.printAction->trigger();
    });
    MainWindow& window = *on.window;
    on.PickQueue("zppd");
    window.AddFiles({QString::fromStdString(source.string())});
    window.landscapeCheck->setChecked(true);
    const std::vector<int> before = server.JobIds("zppd");
    QSignalSpy printed(&window, &MainWindow::PrintRunFinished);
    {
        const test::QtWarnings warnings;
        ASSERT_TRUE(test::PreviewAndWait(window));
        EXPECT_TRUE(warnings.None()) << warnings.First();
    }
    cupsSetServer(nullptr);
    EXPECT_EQ(reached.size(), 3u);
    EXPECT_EQ(driverPrinter, "zppd") << "the driver prints on the window's printer";
    ASSERT_TRUE(printed.wait(30000));
    const std::vector<int> jobs = NewJobs(server, "zppd", before);
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(server.WaitForFinalState("zppd", jobs[0]), IPP_JSTATE_COMPLETED);
    EXPECT_EQ(server.JobData("zppd", jobs[0]),
              ZelListOutput("--landscape --pages " + std::to_string(kTyped) + " '" +
                                source.string() + "'",
                            files / "page.pcl"));
    EXPECT_TRUE(on.errors.empty());
    EXPECT_TRUE(on.failures.empty());
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

// A queue that is full: the window says that the listing waits for room,
// and Cancel ends the wait at once.
TEST(GuiPrintRun, AWaitForRoomInAFullQueueIsSaidAndCancelEndsIt) {
    test::TempDir own;
    const CupsTestServer server = CupsTestServer::StartOwn(own.Path(), 1);
    server.HoldQueue("zcli", true);
    test::TempDir files;
    SystemPrintService service{std::make_unique<CupsPrintService>(server.Address()),
                               std::make_unique<PclFileService>(files.Path())};
    WindowOn on{service};
    on.PickQueue("zcli");
    MainWindow& window = *on.window;
    test::WriteFile(files / "a.txt", "a\r\n");
    test::WriteFile(files / "b.txt", "b\r\n");
    window.AddFiles({QString::fromStdString((files / "a.txt").string()),
                     QString::fromStdString((files / "b.txt").string())});
    QSignalSpy finished(&window, &MainWindow::PrintRunFinished);
    window.PrintTickedFiles();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window.printingLabel->text() == "The print server's queue is full; waiting"; },
        20000));
    window.cancelPrintButton->click();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_EQ(window.printingLabel->text(), "Cancelled");
    EXPECT_TRUE(on.failures.empty());
    EXPECT_EQ(server.JobIds("zcli").size(), 1u);
}

} // namespace
} // namespace zl
