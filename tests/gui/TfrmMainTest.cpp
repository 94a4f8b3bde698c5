#include "app/TfrmMain.h"

#include "app/BarHeightSpinBox.h"
#include "app/TPrinterDefinition.h"
#include "app/TProCheckListBox.h"
#include "app/VersionInfo.h"

#include "tests/support/RecordingSpooler.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <utime.h>

namespace zl {
namespace {

using test::RecordingSpooler;

// An executable stand-in that carries version information.
void WriteVersionedFile(const std::filesystem::path& path) {
    using namespace std::string_literals;
    test::WriteFile(path, "\x7f"
                          "ELF and code before the block "s +
                              VersionBlockMagic() +
                              "FixedFileVersion=0.9.2.9\0Translation=040904E4\0"
                              "ProductName=ZelList GUI\0LegalCopyright=(C) us\0"
                              "Comments=Sort of the same, but not quite\0\0"s +
                              "and after it");
}

class TfrmMainTest : public ::testing::Test {
protected:
    TfrmMainTest() {
        spooler.printers = {{"Laser", ""}, {"Office", ""}};
        spooler.defaultName = "Office";
        WriteVersionedFile(dir / "zellist-gui");
        test::WriteFile(dir / "unversioned", "no version information here");
    }

    TfrmMain& Window(const std::string& executable = {}) {
        MainWindowServices services;
        services.spooler = &spooler;
        services.printer = &printer;
        services.clock = &clock;
        services.names = LocaleNames::English();
        services.executablePath = executable.empty() ? (dir / "zellist-gui").string() : executable;
        services.showMessage = [this](const QString& text) {
            messages.push_back(text.toStdString());
        };
        services.showError = [this](const QString& text) { errors.push_back(text.toStdString()); };
        services.runOpenDialog = [this](QFileDialog&) { return picked; };
        services.info.userName = [] { return std::string("alice"); };
        services.info.comments = [] { return std::string("not used: the window's own"); };
        services.openUrl = [](const QUrl&) { return true; };
        services.runDialog = [this](QDialog& box) {
            aboutTitles.push_back(box.windowTitle().toStdString());
            if (onAbout)
                onAbout(box);
        };
        window = std::make_unique<TfrmMain>(services);
        return *window;
    }

    static QRect At(QWidget* w) { return w->geometry(); }

    test::TempDir dir;
    RecordingSpooler spooler;
    TPrinter printer{spooler};
    FixedClock clock{LocalTime{2026, 12, 6, 0, 11, 31, 0}};
    std::unique_ptr<TfrmMain> window;
    std::vector<std::string> messages, errors;
    QStringList picked;
    std::vector<std::string> aboutTitles;
    std::function<void(QDialog&)> onAbout;
};

TEST_F(TfrmMainTest, ToolbarCommandsWithTheirCaptionsHintsAndShortcut) {
    TfrmMain& w = Window();
    EXPECT_EQ(w.windowTitle(), "ZelList GUI / 2003");
    const QList<QAction*> actions = w.ActionToolBar1->actions();
    ASSERT_EQ(actions.size(), 6);
    const char* names[] = {"actOpen",  "actDelEntry", "actClearList",
                           "actPrint", "actAbout",    "actExit"};
    const char* captions[] = {"&Open...", "Delete Entry", "Clear File List",
                              "&Print",   "About",        "E&xit"};
    const char* categories[] = {"File", "Actions", "Actions", "Actions", "Help", "File"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(actions[i]->objectName(), names[i]);
        EXPECT_EQ(actions[i]->text(), captions[i]);
        EXPECT_EQ(actions[i]->property("category").toString(), categories[i]);
        EXPECT_FALSE(actions[i]->icon().isNull()) << names[i];
    }
    EXPECT_EQ(w.ActionToolBar1->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(w.actOpen->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(w.actOpen->shortcutContext(), Qt::WindowShortcut);
    EXPECT_EQ(HintTracker::HintOf(w.ActionToolBar1->widgetForAction(w.actPrint)),
              "Print|Print selected files in the list");
    EXPECT_EQ(w.ActionToolBar1->widgetForAction(w.actPrint)->toolTip(), "Print");
}

TEST_F(TfrmMainTest, OptionControlsStartWhereAndAsTheyShould) {
    TfrmMain& w = Window();
    EXPECT_EQ(At(w.PrinterDefinition), QRect(16, 10, 289, 21));
    EXPECT_FALSE(w.PrinterDefinition->isEditable());
    EXPECT_EQ(At(w.RxLabel2), QRect(328, 16, 211, 13));
    EXPECT_EQ(w.RxLabel2->text(), "Selected printer MUST support HP's PCL - 1");
    EXPECT_EQ(w.RxLabel3->text(), "Lineprinter font must be compressed");
    EXPECT_EQ(w.RxLabel1->text(), "Lines High");
    EXPECT_EQ(At(w.GroupBox1), QRect(16, 38, 137, 43));
    EXPECT_EQ(w.GroupBox1->title(), "Font Style");
    EXPECT_EQ(w.GroupBox2->title(), "Font Size");
    EXPECT_EQ(w.GroupBox3->title(), "Lines per Inch");
    EXPECT_EQ(w.GroupBox4->title(), "Char Set");
    EXPECT_EQ(At(w.GroupBox4), QRect(168, 94, 137, 43));
    EXPECT_EQ(w.ckCourier->parentWidget(), w.GroupBox1);
    EXPECT_EQ(At(w.ckLinePrinter), QRect(72, 16, 57, 20));
    EXPECT_EQ(w.ckLinePrinter->text(), "Lineptr");
    EXPECT_EQ(At(w.ckCompressed), QRect(8, 16, 121, 17));
    EXPECT_EQ(w.ckCompressed->text(), "Compressed (16 cpi)");
    EXPECT_EQ(At(w.spinBarHeight), QRect(432, 84, 41, 21));
    EXPECT_EQ(At(w.ckLineNumbers), QRect(320, 118, 89, 17));
    EXPECT_EQ(w.cknoibm->text(), "No IBM");

    EXPECT_TRUE(w.ckCourier->isChecked());
    EXPECT_FALSE(w.ckLinePrinter->isChecked());
    EXPECT_TRUE(w.ckCompressed->isChecked());
    EXPECT_FALSE(w.ckLandscape->isChecked());
    EXPECT_TRUE(w.ckPrintBars->isChecked());
    EXPECT_TRUE(w.spinBarHeight->isEnabled());
    EXPECT_EQ(w.spinBarHeight->Value(), 2);
    EXPECT_TRUE(w.ck8lpi->isChecked());
    EXPECT_FALSE(w.ck6lpi->isChecked());
    EXPECT_TRUE(w.ckibm->isChecked());
    for (QCheckBox* fixed : {w.ckHeaders, w.ckLineNumbers}) {
        EXPECT_TRUE(fixed->isChecked());
        EXPECT_FALSE(fixed->isEnabled());
        EXPECT_EQ(fixed->palette().color(QPalette::Disabled, QPalette::WindowText),
                  QColor(192, 220, 192));
    }
    EXPECT_EQ(w.RxLabel2->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(w.statMainInfoMessage->palette().color(QPalette::WindowText), QColor(128, 0, 128));
    EXPECT_EQ(w.statMainInfoMessage2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w.statMainInfoMessage2->text(), "");
    EXPECT_FALSE(w.statMainInfo->isSizeGripEnabled());
    EXPECT_TRUE(w.statMain->isSizeGripEnabled());
    EXPECT_EQ(w.statusBar(), w.statMain);
}

TEST_F(TfrmMainTest, TheHintLabelShowsTheNearestHintUnderThePointer) {
    TfrmMain& w = Window();
    HintTracker& hints = w.Hints();
    hints.UpdateFor(w.listFiles->viewport());
    EXPECT_EQ(w.statMainHint->text(), "List of files to print");
    hints.UpdateFor(w.ckCourier);
    EXPECT_EQ(w.statMainHint->text(), "Select Courier or LinePrinter");
    hints.UpdateFor(w.ck6lpi);
    EXPECT_EQ(w.statMainHint->text(), "Select 8 pt or 10 pt");
    for (QWidget* inherits :
         {static_cast<QWidget*>(w.spinBarHeight), static_cast<QWidget*>(w.RxLabel1),
          static_cast<QWidget*>(w.RxLabel2), static_cast<QWidget*>(w.RxLabel3)}) {
        hints.UpdateFor(inherits);
        EXPECT_EQ(w.statMainHint->text(), "Select height of bar overlay");
    }
    hints.UpdateFor(w.ckLandscape);
    EXPECT_EQ(w.statMainHint->text(), "Print lin landscape format");
    hints.UpdateFor(w.statMainInfo);
    EXPECT_EQ(w.statMainHint->text(), "");

    // Only a change of the current hint reaches the label.
    w.statMainHint->setText("written elsewhere");
    hints.UpdateFor(w.statMainInfo);
    EXPECT_EQ(w.statMainHint->text(), "written elsewhere");
}

TEST_F(TfrmMainTest, PitchOffForcesCourier) {
    TfrmMain& w = Window();
    w.ckLinePrinter->setChecked(true);
    EXPECT_FALSE(w.ckCourier->isChecked());
    w.ckCompressed->setChecked(false);
    EXPECT_TRUE(w.ckCourier->isChecked());
    EXPECT_FALSE(w.ckLinePrinter->isChecked());
    w.ckLinePrinter->setChecked(true); // cannot stay while pitch is off
    EXPECT_TRUE(w.ckCourier->isChecked());
    w.ckCompressed->setChecked(true);
    EXPECT_TRUE(w.ckCourier->isChecked()) << "Lineptr is not restored";
}

TEST_F(TfrmMainTest, PageSettingsFollowEveryCombination) {
    TfrmMain& w = Window();
    EXPECT_EQ(w.Geometry().LineWidth, 0) << "nothing before the first activation";
    w.FormActivate();
    struct Case {
        bool compressed, landscape, six;
        int width, perInch, length, bar;
    };
    const Case cases[] = {
        {true, false, false, 133, 8, 20, 16}, {true, false, true, 133, 6, 20, 16},
        {true, true, false, 176, 8, 15, 21},  {true, true, true, 176, 6, 15, 21},
        {false, false, false, 80, 8, 20, 16}, {false, false, true, 80, 6, 20, 16},
        {false, true, false, 105, 8, 15, 21}, {false, true, true, 105, 6, 15, 21}};
    for (const Case& c : cases) {
        w.ckCompressed->setChecked(c.compressed);
        w.ckLandscape->setChecked(c.landscape);
        (c.six ? w.ck6lpi : w.ck8lpi)->setChecked(true);
        EXPECT_EQ(w.Geometry().LineWidth, c.width);
        EXPECT_EQ(w.Geometry().LinesPerInch, c.perInch);
        EXPECT_EQ(w.Geometry().PageLength, c.length);
        EXPECT_EQ(w.Geometry().BarWidth, c.bar);
    }
}

// Unticked, "Print bars" leaves the overlay macro out of the listing and
// disables the bar height, which keeps its value.
TEST_F(TfrmMainTest, PrintBarsDecidesTheOverlayAndEnablesTheBarHeight) {
    TfrmMain& w = Window();
    test::TempDir dir;
    test::WriteFile(dir / "a.txt", "ab\n");
    w.actOpenAccept({QString::fromStdString((dir / "a.txt").string())});
    w.spinBarHeight->SetValue(4);
    const std::string macro = "\x1b&f1Y";
    for (bool bars : {false, true}) {
        w.ckPrintBars->setChecked(bars);
        EXPECT_EQ(w.spinBarHeight->isEnabled(), bars);
        EXPECT_EQ(w.spinBarHeight->Value(), 4);
        w.actPrintExecute();
        ASSERT_FALSE(spooler.jobs.empty());
        const std::string bytes = spooler.jobs.back().Bytes();
        EXPECT_NE(bytes.find("      1: ab\r\n"), std::string::npos);
        EXPECT_EQ(bytes.find(macro) != std::string::npos, bars);
    }
}

TEST_F(TfrmMainTest, BarHeightTakesDigitsAndSignsAndStaysWithinOneToSix) {
    TfrmMain& w = Window();
    BarHeightSpinBox& spin = *w.spinBarHeight;
    int changes = 0;
    QObject::connect(&spin, &BarHeightSpinBox::Changed, [&] { ++changes; });
    spin.SetValue(6);
    spin.stepBy(1);
    EXPECT_EQ(spin.Value(), 6);
    spin.SetValue(1);
    spin.stepBy(-1);
    EXPECT_EQ(spin.Value(), 1);
    EXPECT_GE(changes, 2);

    QLineEdit* edit = spin.findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->setText("9");
    EXPECT_EQ(spin.Value(), 9) << "as typed until the box loses the focus";
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(&spin, &out);
    EXPECT_EQ(spin.Value(), 6);
    edit->setText("-3");
    QApplication::sendEvent(&spin, &out);
    EXPECT_EQ(spin.Value(), 1);
    edit->setText("+");
    EXPECT_EQ(spin.Value(), 1) << "not a number reads as 1";
    int position = 0;
    QString letters = "x";
    EXPECT_NE(edit->validator()->validate(letters, position), QValidator::Acceptable);
}

TEST_F(TfrmMainTest, OpenDialogSettingsAndTheNamesItGives) {
    QFileDialog dialog;
    TfrmMain::ConfigureOpenDialog(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Process with ZelList...");
    ASSERT_EQ(dialog.nameFilters().size(), 6);
    EXPECT_EQ(dialog.nameFilters()[0], "Text files (*.txt) (*.TXT)");
    EXPECT_EQ(dialog.nameFilters()[1], "Pascal files (*.pas, *dpr) (*.PAS *.DPR)");
    EXPECT_EQ(dialog.nameFilters()[5], "Any File (*.*) (*.*)");
    EXPECT_EQ(dialog.selectedNameFilter(), "Text files (*.txt) (*.TXT)");
    EXPECT_EQ(dialog.defaultSuffix(), "TXT");
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);

    TfrmMain& w = Window();
    w.actOpenAccept({"/old/a.c"});
    w.listFiles->SetChecked(0, false);
    picked = {"/src/one.pas", "/src/two.pas", "/src/one.pas"};
    w.actOpen->trigger();
    ASSERT_EQ(w.listFiles->Count(), 4);
    EXPECT_FALSE(w.listFiles->Checked(0)) << "earlier entries keep their ticks";
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(w.listFiles->Text(i), picked[i - 1]);
        EXPECT_TRUE(w.listFiles->Checked(i));
    }
    picked.clear(); // cancelled
    w.actOpen->trigger();
    EXPECT_EQ(w.listFiles->Count(), 4);
}

TEST_F(TfrmMainTest, FilesDroppedOnTheListArriveTickedInTheirOrder) {
    TfrmMain& w = Window();
    w.actOpenAccept({"/already/there.c"});
    w.listFiles->SetChecked(0, false);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/src/a.c"), QUrl::fromLocalFile("/src/b.h"),
                  QUrl::fromLocalFile("/src/folder"),
                  QUrl::fromLocalFile("/" + QString(259, 'n'))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.listFiles->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.listFiles->viewport(), &drop);
    ASSERT_EQ(w.listFiles->Count(), 4) << "the 260-character name is left out";
    EXPECT_FALSE(w.listFiles->Checked(0));
    EXPECT_EQ(w.listFiles->Text(1), "/src/a.c");
    EXPECT_EQ(w.listFiles->Text(2), "/src/b.h");
    EXPECT_EQ(w.listFiles->Text(3), "/src/folder");
    for (int i = 1; i < 4; ++i)
        EXPECT_TRUE(w.listFiles->Checked(i));

    // Elsewhere in the window nothing is taken.
    QDragEnterEvent elsewhere(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    elsewhere.ignore();
    QApplication::sendEvent(w.pnlBottom, &elsewhere);
    EXPECT_FALSE(elsewhere.isAccepted());
}

TEST_F(TfrmMainTest, DeleteTakesTheHighlightedEntryAndClearTakesAll) {
    TfrmMain& w = Window();
    w.actOpenAccept({"/a", "/b", "/c"});
    w.actDelEntry->trigger(); // nothing highlighted
    EXPECT_EQ(w.listFiles->Count(), 3);
    w.listFiles->SetChecked(1, false);
    w.listFiles->setCurrentRow(1);
    w.actDelEntry->trigger();
    ASSERT_EQ(w.listFiles->Count(), 2);
    EXPECT_EQ(w.listFiles->Text(0), "/a");
    EXPECT_EQ(w.listFiles->Text(1), "/c");
    EXPECT_TRUE(w.listFiles->Checked(1));
    w.actClearList->trigger();
    EXPECT_EQ(w.listFiles->Count(), 0);
    w.actClearList->trigger();
    EXPECT_EQ(w.listFiles->Count(), 0);
}

TEST_F(TfrmMainTest, AnEmptyListOnlySaysSo) {
    TfrmMain& w = Window();
    w.actPrint->trigger();
    EXPECT_EQ(messages, (std::vector<std::string>{"No files to print!?!"}));
    EXPECT_TRUE(spooler.jobs.empty());
}

TEST_F(TfrmMainTest, PrinterChangesAreShownAndActivationSelectsTheDefaultAgain) {
    TfrmMain& w = Window();
    // The name kept from the designer's machine is closest to "Laser"; the
    // build stamp is shown until the window is first activated.
    EXPECT_EQ(w.SelectedPrinterIndex(), 0);
    EXPECT_EQ(w.statMainInfoMessage->text(), w.BuildStamp());
    QEvent first(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &first);
    EXPECT_EQ(w.SelectedPrinterIndex(), 1);
    EXPECT_EQ(w.statMainInfoMessage->text(), "  Printing on Office printer #1");
    w.PrinterDefinition->setCurrentIndex(0);
    emit w.PrinterDefinition->activated(0);
    EXPECT_EQ(w.SelectedPrinterIndex(), 0);
    EXPECT_EQ(w.statMainInfoMessage->text(), "  Printing on Laser printer #0");
    // Coming back from a message box or the About box activates the window.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    EXPECT_EQ(w.SelectedPrinterIndex(), 1);
    EXPECT_EQ(w.statMainInfoMessage->text(), "  Printing on Office printer #1");
}

TEST_F(TfrmMainTest, AFailingActivationIsReportedOnceNotAtEveryActivation) {
    TfrmMain& w = Window();
    errors.clear();
    spooler.Throw("OpenPrinter");
    QEvent activate(QEvent::WindowActivate);
    for (int i = 0; i < 3; ++i)
        QApplication::sendEvent(&w, &activate);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(w.Geometry().LineWidth, 133) << "the page settings still run";
}

TEST_F(TfrmMainTest, BuildStampComesFromTheVersionAndTheFilesTime) {
    const char* oldTz = std::getenv("TZ");
    const std::string savedTz = oldTz ? oldTz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    utimbuf times{};
    times.modtime = 1046707530; // Monday, March 3, 2003, 16:05:30 UTC
    times.actime = times.modtime;
    ASSERT_EQ(utime((dir / "zellist-gui").c_str(), &times), 0);
    TfrmMain& w = Window();
    if (oldTz)
        setenv("TZ", savedTz.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(w.BuildStamp(), "Build 0.9.2.9: Monday, March 3, 2003 at 4:05 pm");
    EXPECT_EQ(w.dlgAbout.CaptionTitle, w.BuildStamp());
    EXPECT_EQ(w.dlgAbout.Appname, "ZelList GUI");
    EXPECT_EQ(w.dlgAbout.Version, "0.9.2.9");
    EXPECT_EQ(w.dlgAbout.Description, "Sort of the same, but not quite");
    EXPECT_EQ(w.dlgAbout.Copyright, "(C) us");
}

TEST_F(TfrmMainTest, WithoutVersionInformationTheErrorIsShownAndTheWindowOpens) {
    TfrmMain& w = Window((dir / "unversioned").string());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "File unversioned has no version information");
    EXPECT_TRUE(w.BuildStamp().isEmpty());
}

TEST_F(TfrmMainTest, ClicksOnTheInformationOrHintLabelStepThroughSixStates) {
    TfrmMain& w = Window();
    EXPECT_EQ(w.statMainVariable->Text(), "Username\talice");
    EXPECT_TRUE(w.statMainDateTime->Text().find("2026") != std::string::npos);
    const TLMDInfoType seen[] = {TLMDInfoType::itWinDir,         TLMDInfoType::itCurrentDir32,
                                 TLMDInfoType::itComputerName32, TLMDInfoType::itPlatform32,
                                 TLMDInfoType::itProgComments,   TLMDInfoType::itUser};
    for (int i = 0; i < 6; ++i) {
        QWidget* target = i % 2 ? static_cast<QWidget*>(w.statMainHint)
                                : static_cast<QWidget*>(w.statMainVariable);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        EXPECT_EQ(w.statMainVariable->Info(), seen[i]);
        if (seen[i] == TLMDInfoType::itProgComments) {
            EXPECT_EQ(w.statMainVariable->Text(), "\tSort of the same, but not quite");
        }
    }
    EXPECT_EQ(w.statMainVariable->Text(), "Username\talice");
}

TEST_F(TfrmMainTest, TheAboutBoxShowsTheBuildStampAndClosingItSelectsTheDefaultAgain) {
    TfrmMain& w = Window();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    w.PrinterDefinition->setCurrentIndex(0);
    emit w.PrinterDefinition->activated(0);
    ASSERT_EQ(w.SelectedPrinterIndex(), 0);
    onAbout = [&](QDialog& box) {
        // More Help, then the box is closed.
        box.findChild<QPushButton*>("CustomButton")->click();
        box.accept();
    };
    w.actAbout->trigger();
    ASSERT_EQ(aboutTitles.size(), 1u);
    EXPECT_EQ(aboutTitles[0], w.BuildStamp().toStdString())
        << "the title is the build stamp even though the info bar shows the printer";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], kAboutHelpText);
    // The main window is active again once the box has gone.
    QApplication::sendEvent(&w, &activate);
    EXPECT_EQ(w.SelectedPrinterIndex(), 1);
}

} // namespace
} // namespace zl
