// The main window on a recording print service, with what it shows kept:
// the fixture of the window's tests.
#pragma once

#include "app/MainWindow.h"
#include "app/PrinterComboBox.h"
#include "app/VersionInfo.h"

#include "tests/support/RecordingPrintService.h"
#include "tests/support/TempDir.h"

#include <QDialog>
#include <QFileDialog>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zl::test {

// An executable stand-in that carries version information.
inline void WriteVersionedFile(const std::filesystem::path& path) {
    using namespace std::string_literals;
    WriteFile(path, "\x7f"
                    "ELF and code before the block "s +
                        VersionBlockMagic() +
                        "FixedFileVersion=0.9.2.9\0Translation=040904E4\0"
                        "ProductName=ZelList GUI\0LegalCopyright=(C) us\0"
                        "Comments=Sort of the same, but not quite\0\0"s +
                        "and after it");
}

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture() {
        spooler.printers = {"Laser", "Office"};
        spooler.defaultName = "Office";
        WriteVersionedFile(dir / "zellist-gui");
        WriteFile(dir / "unversioned", "no version information here");
    }

    MainWindow& Window(const std::string& executable = {}) {
        MainWindowServices services;
        services.spooler = spoolerInUse;
        services.printer = printerInUse;
        services.clock = &clock;
        services.names = LocaleNames::English();
        services.executablePath = executable.empty() ? (dir / "zellist-gui").string() : executable;
        services.showMessage = [this](const QString& text) {
            messages.push_back(text.toStdString());
        };
        services.showError = [this](const QString& text) { errors.push_back(text.toStdString()); };
        services.runOpenDialog = [this](QFileDialog& dialog) {
            if (onDialog)
                onDialog(dialog);
            return picked;
        };
        services.info.userName = [] { return std::string("alice"); };
        services.info.comments = [] { return std::string("not used: the window's own"); };
        services.openUrl = [](const QUrl&) { return true; };
        services.runDialog = [this](QDialog& box) {
            aboutTitles.push_back(box.windowTitle().toStdString());
            if (onAbout)
                onAbout(box);
        };
        // The preview as it paints: its page count and paper.
        services.runPreview = [this](QPrintPreviewDialog& dialog) {
            if (onDialog)
                onDialog(dialog);
            auto* preview = dialog.findChild<QPrintPreviewWidget*>();
            ASSERT_NE(preview, nullptr);
            preview->updatePreview();
            const QPageLayout layout = dialog.printer()->pageLayout();
            previews.push_back({preview->pageCount(), layout.pageSize().id(),
                                layout.orientation() == QPageLayout::Landscape});
        };
        window = std::make_unique<MainWindow>(services);
        return *window;
    }

    // The user's pick of a printer in the list.
    static void PickPrinter(MainWindow& w, int index) {
        w.printerComboBox->setCurrentIndex(index);
        emit w.printerComboBox->activated(index);
    }

    TempDir dir;
    RecordingPrintService spooler;
    PrinterList printer{spooler};
    // What the window prints through: by default the recording service.
    PrintService* spoolerInUse = &spooler;
    PrinterList* printerInUse = &printer;
    FixedClock clock{LocalTime{2026, 12, 6, 0, 11, 31, 0}};
    std::unique_ptr<MainWindow> window;
    std::vector<std::string> messages, errors;
    QStringList picked;
    std::vector<std::string> aboutTitles;
    std::function<void(QDialog&)> onAbout;
    // Runs as the open dialog or the preview is shown.
    std::function<void(QDialog&)> onDialog;
    struct Preview {
        int pages;
        QPageSize::PageSizeId paper;
        bool landscape;
    };
    std::vector<Preview> previews;
};

} // namespace zl::test
