// What the window keeps from one run to the next, in a settings file of the
// test's own: the options, the printer, its place and the open dialog's
// folder come back; what cannot be taken back is left at the default.
#include "tests/gui/MainWindowFixture.h"

#include "app/BarHeightSpinBox.h"
#include "app/FileListBox.h"
#include "app/GuiArguments.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zl {
namespace {

class MainWindowSettingsTest : public test::MainWindowFixture {
protected:
    MainWindowSettingsTest() {
        spooler.printers = {"Laser", "Office", "Plotter"};
        spooler.capabilities["Plotter"] = {
            {{"A4", 9, {2100, 2970}, 26}}, {{"Lower", 2, 4}}, true, {}};
        onOpenDialog = [this](QFileDialog& dialog) {
            openedIn = dialog.directory().absolutePath();
            openedWith = dialog.selectedNameFilter();
            if (!browseTo.isEmpty())
                dialog.setDirectory(browseTo);
            if (!chooseType.isEmpty())
                dialog.selectNameFilter(chooseType);
        };
    }
    ~MainWindowSettingsTest() override { QDir::setCurrent(startFolder); }

    // The window shown, as at a start.
    MainWindow& Started() {
        MainWindow& w = Window();
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
        return w;
    }

    // What the window shows of what it keeps, but its place.
    static std::string Kept(MainWindow& w) {
        std::string kept;
        for (QAbstractButton* option : std::vector<QAbstractButton*>{
                 w.courierRadio, w.linePrinterRadio, w.compressedCheck, w.landscapeCheck,
                 w.printBarsCheck, w.emphasisCheck, w.sixLpiRadio, w.eightLpiRadio,
                 w.ibmCharsetRadio, w.roman8CharsetRadio}) {
            if (option->isChecked())
                kept += option->objectName().toStdString() + " ";
        }
        kept += "bars " + std::to_string(w.barHeightSpin->Value()) + ", copies " +
                std::to_string(w.copiesSpin->value()) + ",";
        for (const QComboBox* choice : {w.twoSidedCombo, w.paperCombo, w.trayCombo})
            kept += " " + choice->currentText().toStdString() + ",";
        return kept + " on " + w.printerComboBox->currentText().toStdString();
    }

    QString startFolder = QDir::currentPath();
    QString openedIn;               // where the open dialog started
    QString browseTo;               // where the user goes in it
    QString openedWith, chooseType; // the file type it showed, the one chosen in it
};

TEST_F(MainWindowSettingsTest, WhatTheWindowClosesWithTheNextOneOpensWith) {
    test::TempDir sources;
    test::WriteFile(sources / "a.c", "int a;\n");
    MainWindow& first = Started();
    first.landscapeCheck->setChecked(true);
    first.linePrinterRadio->setChecked(true);
    first.printBarsCheck->setChecked(false);
    first.emphasisCheck->setChecked(true);
    first.barHeightSpin->SetValue(5);
    first.sixLpiRadio->setChecked(true);
    first.roman8CharsetRadio->setChecked(true);
    PickPrinter(first, 2);
    first.copiesSpin->setValue(12);
    for (QComboBox* choice : {first.twoSidedCombo, first.paperCombo, first.trayCombo}) {
        choice->setCurrentIndex(choice->count() - 1);
        emit choice->activated(choice->count() - 1);
    }
    const QRect available = first.screen()->availableGeometry();
    first.move(available.topLeft() + QPoint(31, 47)); // below where a title bar goes
    first.resize(first.minimumSizeHint() + QSize(13, 17));
    browseTo = QString::fromStdString(sources.Path().string());
    picked = {browseTo + "/a.c"};
    chooseType = "Any File (*.*) (*)";
    first.openAction->trigger();
    ASSERT_EQ(first.fileList->Count(), 1);
    chooseType.clear();
    const std::string kept = Kept(first);
    const QRect geometry = first.geometry();
    first.close();
    QDir::setCurrent(startFolder);

    MainWindow& next = Started();
    EXPECT_EQ(Kept(next), kept);
    EXPECT_EQ(kept, "linePrinterRadio compressedCheck landscapeCheck emphasisCheck sixLpiRadio "
                    "roman8CharsetRadio bars 5, copies 12, Short edge, A4, Lower, on Plotter");
    EXPECT_FALSE(next.barHeightSpin->isEnabled()) << "no bars";
    EXPECT_EQ(next.geometry(), geometry);
    EXPECT_EQ(next.fileList->Count(), 0) << "the file list is not kept";
    browseTo.clear();
    next.openAction->trigger();
    EXPECT_EQ(openedIn, QString::fromStdString(sources.Path().string()));
    EXPECT_EQ(openedWith, "Any File (*.*)");
}

// Each case stores values the window cannot take, or stores good ones and
// starts with --reset-settings: the window opens with the defaults, wholly
// on the screen, and the open dialog starts in the current folder.
TEST_F(MainWindowSettingsTest, WhatCannotBeTakenBackOrIsResetLeavesTheDefaults) {
    const std::string defaults = Kept(Started());
    window.reset();
    // A small window stored at the screen's bottom right corner: at the
    // window's minimum size it would run off the screen.
    QWidget small;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    small.setGeometry(available.right() - 210, available.bottom() - 160, 200, 150);
    const QByteArray smallInTheCorner = small.saveGeometry();
    test::TempDir gone;
    const QString goneFolder = QString::fromStdString(gone.Path().string());
    std::filesystem::remove(gone.Path());

    using Stored = std::vector<std::pair<const char*, QVariant>>;
    struct Case {
        const char* what;
        Stored stored;
        QStringList arguments; // the command line's
        QStringList files;     // what of it names files
    };
    const Stored good = {
        {"page/font", "lineprinter"}, {"page/compressed", true},
        {"page/landscape", true},     {"page/printBars", false},
        {"page/emphasis", true},      {"page/barHeight", 6},
        {"page/linesPerInch", "6"},   {"page/charset", "roman8"},
        {"page/copies", 3},           {"page/twoSided", "long"},
        {"page/paper", "A4"},         {"page/tray", "Lower"},
        {"printer/name", "Plotter"},  {"openDialog/folder", startFolder + "/.."},
    };
    const Case cases[] = {
        {"values out of range or unknown",
         {{"page/font", "helvetica"},
          {"page/compressed", "maybe"},
          {"page/landscape", "1"},
          {"page/printBars", ""},
          {"page/emphasis", "yes"},
          {"page/barHeight", 7},
          {"page/linesPerInch", "7"},
          {"page/charset", "ebcdic"},
          {"page/copies", 1000},
          {"page/twoSided", "both"}},
         {},
         {}},
        {"no bar height", {{"page/barHeight", 0}}, {}, {}},
        {"a bar height that is no number", {{"page/barHeight", "2x"}}, {}, {}},
        {"no copies", {{"page/copies", 0}}, {}, {}},
        {"a paper and tray the printer does not offer",
         {{"page/paper", "Folio"}, {"page/tray", "Attic"}},
         {},
         {}},
        {"a printer no longer installed", {{"printer/name", "Gone"}}, {}, {}},
        {"a folder no longer there", {{"openDialog/folder", goneFolder}}, {}, {}},
        {"a geometry that is none", {{"window/geometry", QByteArray("garbage")}}, {}, {}},
        {"a place where the window does not fit", {{"window/geometry", smallInTheCorner}}, {}, {}},
        {"--reset-settings", good, {"a.c", kResetSettingsOption, "b.c"}, {"a.c", "b.c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Settings()->clear();
        for (const auto& [key, value] : c.stored)
            Settings()->setValue(key, value);
        const GuiArguments asked = ReadGuiArguments(c.arguments);
        if (asked.resetSettings)
            ResetSettings([this] { return Settings(); });
        EXPECT_EQ(asked.files, c.files);
        MainWindow& w = Started();
        EXPECT_EQ(Kept(w), defaults);
        EXPECT_TRUE(available.contains(w.frameGeometry()));
        openedIn.clear();
        w.openAction->trigger();
        EXPECT_EQ(openedIn, startFolder);
        window.reset();
    }
}

// zellist-gui's command line: files for the list, --help, --version, and
// an unknown option refused; after "--" every word is a file.
TEST(GuiArguments, FilesOpenTheWindowAndOptionsAreAnsweredOrRefused) {
    using Action = GuiArguments::Action;
    const struct {
        QStringList arguments;
        Action action;
        QStringList files;
        QString refusal;
    } cases[] = {
        {{"a.c", "-", "b.c"}, Action::OpenWindow, {"a.c", "-", "b.c"}, ""},
        {{"a.c", "--help"}, Action::Help, {"a.c"}, ""},
        {{"-h"}, Action::Help, {}, ""},
        {{"--version"}, Action::Version, {}, ""},
        {{"a.c", "--hlep", "b.c"}, Action::Refused, {"a.c"}, "unknown option '--hlep'"},
        {{"--", "--help", "-x.c"}, Action::OpenWindow, {"--help", "-x.c"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const GuiArguments asked = ReadGuiArguments(c.arguments);
        EXPECT_EQ(asked.action, c.action);
        EXPECT_EQ(asked.files, c.files);
        EXPECT_EQ(asked.refusal, c.refusal);
    }
    EXPECT_TRUE(GuiUsage().startsWith("Usage: zellist-gui "));
}

} // namespace
} // namespace zl
