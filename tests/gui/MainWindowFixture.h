// The main window on a recording print service, with what it shows kept:
// the fixture of the window's tests.
#pragma once

#include "app/MainWindow.h"
#include "app/PreviewWindow.h"
#include "app/PrinterComboBox.h"
#include "app/VersionInfo.h"

#include "tests/support/PrintAndWait.h"
#include "tests/support/RecordingPrintService.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QPageSize>
#include <QPrinter>
#include <QSettings>
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
        services.showFailure = [this](const QString& text, const QString& details) {
            failures.push_back({text.toStdString(), details.toStdString()});
        };
        services.askYesNo = [this](const QString& question) {
            questions.push_back(question.toStdString());
            return answerYes;
        };
        services.runOpenDialog = [this](QFileDialog& dialog) {
            if (onOpenDialog)
                onOpenDialog(dialog);
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
        // The preview once its pages are counted: their number, paper and
        // orientation (of its first page as drawn).
        services.runPreview = [this](PreviewWindow& preview) {
            if (onDialog)
                onDialog(preview);
            PreviewPageLoader& loader = preview.Loader();
            ASSERT_TRUE(QTest::qWaitFor([&] { return loader.CountComplete(); }, 30000));
            const auto first = loader.Page(1);
            ASSERT_NE(first, nullptr);
            previews.push_back({loader.PagesCounted(), first->paper.name, first->landscape});
        };
        // Every window of a test keeps its settings in the test's folder.
        services.openSettings = [this] { return Settings(); };
        window = std::make_unique<MainWindow>(services);
        return *window;
    }

    std::unique_ptr<QSettings> Settings() const {
        return std::make_unique<QSettings>(QString::fromStdString((dir / "settings.ini").string()),
                                           QSettings::IniFormat);
    }

    // Runs `check` on a window shown on the platform's font, on one half as
    // large again and on twice as large (96 to 192 dpi where the platform's
    // is 96); the platform's font is set back afterwards.
    void OnThreeFontSizes(const std::function<void(MainWindow&)>& check) {
        const QFont platformFont = QApplication::font();
        for (const double enlarged : {1.0, 1.5, 2.0}) {
            SCOPED_TRACE(enlarged);
            QFont font = platformFont;
            font.setPointSizeF(platformFont.pointSizeF() * enlarged);
            QApplication::setFont(font);
            MainWindow& w = Window();
            w.show();
            check(w);
            window.reset();
        }
        QApplication::setFont(platformFont);
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
    std::vector<std::pair<std::string, std::string>> failures; // text, details
    std::vector<std::string> questions;
    bool answerYes = true;
    QStringList picked;
    std::function<void(QFileDialog&)> onOpenDialog;
    std::vector<std::string> aboutTitles;
    std::function<void(QDialog&)> onAbout;
    // Runs as the open dialog or the preview is shown.
    std::function<void(QDialog&)> onDialog;
    struct Preview {
        int pages;
        std::string paper;
        bool landscape;
    };
    std::vector<Preview> previews;
};

} // namespace zl::test
