#include "tests/gui/MainWindowFixture.h"

#include "app/BarHeightSpinBox.h"
#include "app/FileListBox.h"
#include "engine/SyntaxEmphasis.h"

#include "tests/support/QtWarnings.h"
#include "tests/support/TempDir.h"

#include <filesystem>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSet>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyleOption>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <utime.h>

namespace zl {
namespace {

using MainWindowTest = test::MainWindowFixture;

// Every command of the tool bar has its own key, named in its tool tip, and
// the key runs it; Delete only while the list has the focus.
TEST_F(MainWindowTest, EveryCommandHasAKeyNamedInItsToolTipThatRunsIt) {
    MainWindow& w = Window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QSet<QString> keys;
    for (QAction* action : w.toolBar->actions()) {
        SCOPED_TRACE(action->objectName().toStdString());
        ASSERT_FALSE(action->shortcut().isEmpty());
        const QString key = action->shortcut().toString(QKeySequence::NativeText);
        EXPECT_FALSE(keys.contains(key));
        keys.insert(key);
        EXPECT_TRUE(w.toolBar->widgetForAction(action)->toolTip().endsWith(" (" + key + ")"));
        EXPECT_FALSE(action->icon().isNull());
    }
    // Each key as the user presses it, where the command works from; the
    // commands that open a box are answered by the fixture.
    struct Case {
        QAction* action;
        QWidget* focus;
    };
    const Case cases[] = {{w.openAction, w.courierRadio},    {w.printAction, w.courierRadio},
                          {w.previewAction, w.courierRadio}, {w.clearListAction, w.barHeightSpin},
                          {w.deleteEntryAction, w.fileList}, {w.aboutAction, w.fileList},
                          {w.exitAction, w.fileList}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action->objectName().toStdString());
        c.focus->setFocus();
        QSignalSpy triggered(c.action, &QAction::triggered);
        const QKeyCombination key = c.action->shortcut()[0];
        QTest::keyClick(c.focus, key.key(), key.keyboardModifiers());
        EXPECT_EQ(triggered.count(), 1);
    }
    // Elsewhere Delete edits what has the focus.
    QSignalSpy deleted(w.deleteEntryAction, &QAction::triggered);
    w.barHeightSpin->setFocus();
    QTest::keyClick(w.barHeightSpin, Qt::Key_Delete);
    EXPECT_EQ(deleted.count(), 0);
}

// Every enabled control with a caption, its own or a label's, has a
// mnemonic of its own, and Alt with it reaches the control. A disabled
// control's mnemonic (Emphasis in a build without languages) is its own too,
// ready for when it is enabled.
TEST_F(MainWindowTest, EveryCaptionHasItsOwnMnemonicThatReachesTheControl) {
    MainWindow& w = Window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    std::vector<std::pair<QString, QWidget*>> captioned; // caption, control
    for (QAbstractButton* button : w.optionsPanel->findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty() && (button->isEnabled() || button->text().contains('&')))
            captioned.emplace_back(button->text(), button);
    }
    for (QLabel* label : w.optionsPanel->findChildren<QLabel*>()) {
        if (label->buddy())
            captioned.emplace_back(label->text(), label->buddy());
    }
    EXPECT_EQ(w.linesHighLabel->buddy(), w.barHeightSpin);
    QSet<QChar> seen;
    for (const auto& [text, control] : captioned) {
        SCOPED_TRACE(text.toStdString());
        const int at = text.indexOf('&');
        ASSERT_GE(at, 0);
        const QChar key = text.at(at + 1).toUpper();
        EXPECT_FALSE(seen.contains(key));
        seen.insert(key);
        if (!control->isEnabled())
            continue;
        w.fileList->setFocus();
        QTest::keyClick(&w, key.toLatin1(), Qt::AltModifier);
        EXPECT_TRUE(control->hasFocus());
    }
}

// The room a control gives its text: a label's contents, a check box's or
// radio button's contents beside its mark, a list's field for its item, a
// group's title (empty when the title runs past the group's edge).
int TextRoom(QWidget* control) {
    if (auto* list = qobject_cast<QComboBox*>(control)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        return list->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
            .width();
    }
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->contentsRect().width();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
        return button->style()
            ->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents,
                             &option, button)
            .width();
    }
    auto* group = qobject_cast<QGroupBox*>(control);
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = group->alignment();
    const QRect title = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, group);
    return group->rect().contains(title) ? title.width() : 0;
}

// The text as shown: a mnemonic's '&' is not drawn; a list's longest item.
QString TextOf(QWidget* control) {
    QString text;
    if (auto* list = qobject_cast<QComboBox*>(control)) {
        for (int i = 0; i < list->count(); ++i) {
            if (list->fontMetrics().horizontalAdvance(list->itemText(i)) >
                list->fontMetrics().horizontalAdvance(text))
                text = list->itemText(i);
        }
        return text;
    }
    if (auto* label = qobject_cast<QLabel*>(control))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        text = button->text();
    else
        text = qobject_cast<QGroupBox*>(control)->title();
    return text.remove('&');
}

// On the platform's font, one half as large again and twice as large (and,
// run with QT_SCALE_FACTOR=2, at device pixel ratio 2), at the window's
// smallest size: every text of the options, the lists' items among them,
// shows whole, no control covers a sibling, and all lie inside the window,
// or inside the options panel that scrolls where the screen is too small
// for it.
TEST_F(MainWindowTest, TheOptionsShowTheirWholeTextsInsideTheWindowOnAnyFont) {
    OnThreeFontSizes([](MainWindow& w) {
        w.resize(w.minimumSizeHint());
        w.layout()->activate();
        if (qEnvironmentVariable("QT_SCALE_FACTOR") == "2") {
            EXPECT_EQ(w.devicePixelRatio(), 2);
        }
        const QList<QWidget*> controls = w.optionsPanel->findChildren<QWidget*>();
        for (QWidget* control : controls) {
            const std::string name = control->objectName().toStdString();
            if (!qobject_cast<QLabel*>(control) && !qobject_cast<QAbstractButton*>(control) &&
                !qobject_cast<QGroupBox*>(control) && !qobject_cast<QComboBox*>(control))
                continue;
            EXPECT_LE(control->fontMetrics().horizontalAdvance(TextOf(control)), TextRoom(control))
                << name;
            QWidget* shownIn = w.optionsScroll->minimumSize() == w.optionsPanel->minimumSize()
                                   ? static_cast<QWidget*>(&w)
                                   : w.optionsPanel;
            EXPECT_TRUE(shownIn->rect().contains(
                QRect(control->mapTo(shownIn, QPoint(0, 0)), control->size())))
                << name;
            for (QWidget* sibling :
                 control->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (sibling != control && !sibling->isHidden()) {
                    EXPECT_FALSE(control->geometry().intersects(sibling->geometry()))
                        << name << " covers " << sibling->objectName().toStdString();
                }
            }
        }
    });
}

TEST_F(MainWindowTest, OptionControlsStartWhereAndAsTheyShould) {
    MainWindow& w = Window();
    EXPECT_FALSE(w.printerComboBox->isEditable());
    EXPECT_EQ(w.pclWarningLabel->text(), "Selected printer MUST support HP's PCL - 1");
    EXPECT_EQ(w.linePrinterWarningLabel->text(), "Lineprinter font must be compressed");
    EXPECT_EQ(w.fontStyleGroup->title(), "Font Style");
    EXPECT_EQ(w.fontSizeGroup->title(), "Font Size");
    EXPECT_EQ(w.linesPerInchGroup->title(), "Lines per Inch");
    EXPECT_EQ(w.charsetGroup->title(), "Char Set");
    EXPECT_EQ(w.courierRadio->parentWidget(), w.fontStyleGroup);

    EXPECT_TRUE(w.courierRadio->isChecked());
    EXPECT_FALSE(w.linePrinterRadio->isChecked());
    EXPECT_TRUE(w.compressedCheck->isChecked());
    EXPECT_FALSE(w.landscapeCheck->isChecked());
    EXPECT_TRUE(w.printBarsCheck->isChecked());
    EXPECT_TRUE(w.barHeightSpin->isEnabled());
    EXPECT_EQ(w.barHeightSpin->Value(), 2);
    EXPECT_TRUE(w.eightLpiRadio->isChecked());
    EXPECT_FALSE(w.sixLpiRadio->isChecked());
    EXPECT_TRUE(w.ibmCharsetRadio->isChecked());
    for (QCheckBox* fixed : {w.headersCheck, w.lineNumbersCheck}) {
        EXPECT_TRUE(fixed->isChecked());
        EXPECT_FALSE(fixed->isEnabled());
    }
    // Emphasis starts off; it can be ticked where the build knows a language,
    // and ticked the listings emphasise by the file's own language.
    EXPECT_FALSE(w.emphasisCheck->isChecked());
    EXPECT_EQ(w.emphasisCheck->isEnabled(), !KnownLanguages().empty());
    EXPECT_EQ(w.Options().emphasis, "none");
    w.emphasisCheck->setChecked(true);
    EXPECT_EQ(w.Options().emphasis, "auto");
    EXPECT_EQ(w.pclWarningLabel->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(w.printerInfoLabel->palette().color(QPalette::WindowText), QColor(128, 0, 128));
    EXPECT_EQ(w.printingLabel->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(w.printingLabel->text(), "");
    EXPECT_FALSE(w.infoStatusBar->isSizeGripEnabled());
    EXPECT_TRUE(w.hintStatusBar->isSizeGripEnabled());
    EXPECT_EQ(w.statusBar(), w.hintStatusBar);
}

TEST_F(MainWindowTest, TheHintLabelShowsTheNearestHintUnderThePointer) {
    MainWindow& w = Window();
    HintTracker& hints = w.Hints();
    hints.UpdateFor(w.fileList->viewport());
    EXPECT_EQ(w.hintLabel->text(), "List of files to print");
    hints.UpdateFor(w.courierRadio);
    EXPECT_EQ(w.hintLabel->text(), "Select Courier or LinePrinter");
    hints.UpdateFor(w.sixLpiRadio);
    EXPECT_EQ(w.hintLabel->text(), "Select 8 pt or 10 pt");
    for (QWidget* inherits :
         {static_cast<QWidget*>(w.barHeightSpin), static_cast<QWidget*>(w.linesHighLabel),
          static_cast<QWidget*>(w.pclWarningLabel),
          static_cast<QWidget*>(w.linePrinterWarningLabel)}) {
        hints.UpdateFor(inherits);
        EXPECT_EQ(w.hintLabel->text(), "Select height of bar overlay");
    }
    hints.UpdateFor(w.landscapeCheck);
    EXPECT_EQ(w.hintLabel->text(), "Print lin landscape format");
    hints.UpdateFor(w.infoStatusBar);
    EXPECT_EQ(w.hintLabel->text(), "");

    // Only a change of the current hint reaches the label.
    w.hintLabel->setText("written elsewhere");
    hints.UpdateFor(w.infoStatusBar);
    EXPECT_EQ(w.hintLabel->text(), "written elsewhere");
}

TEST_F(MainWindowTest, PitchOffForcesCourier) {
    MainWindow& w = Window();
    w.linePrinterRadio->setChecked(true);
    EXPECT_FALSE(w.courierRadio->isChecked());
    w.compressedCheck->setChecked(false);
    EXPECT_TRUE(w.courierRadio->isChecked());
    EXPECT_FALSE(w.linePrinterRadio->isChecked());
    w.linePrinterRadio->setChecked(true); // cannot stay while pitch is off
    EXPECT_TRUE(w.courierRadio->isChecked());
    w.compressedCheck->setChecked(true);
    EXPECT_TRUE(w.courierRadio->isChecked()) << "Lineptr is not restored";
}

TEST_F(MainWindowTest, PageSettingsFollowEveryCombination) {
    MainWindow& w = Window();
    EXPECT_EQ(w.Geometry().lineWidth, 0) << "nothing before the first activation";
    w.ActivateWindow();
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
        w.compressedCheck->setChecked(c.compressed);
        w.landscapeCheck->setChecked(c.landscape);
        (c.six ? w.sixLpiRadio : w.eightLpiRadio)->setChecked(true);
        EXPECT_EQ(w.Geometry().lineWidth, c.width);
        EXPECT_EQ(w.Geometry().linesPerInch, c.perInch);
        EXPECT_EQ(w.Geometry().pageLength, c.length);
        EXPECT_EQ(w.Geometry().barWidth, c.bar);
    }
}

// Unticked, "Print bars" leaves the overlay macro out of the listing and
// disables the bar height, which keeps its value.
TEST_F(MainWindowTest, PrintBarsDecidesTheOverlayAndEnablesTheBarHeight) {
    MainWindow& w = Window();
    test::TempDir dir;
    test::WriteFile(dir / "a.txt", "ab\n");
    w.AddFiles({QString::fromStdString((dir / "a.txt").string())});
    w.barHeightSpin->SetValue(4);
    const std::string macro = "\x1b&f1Y";
    for (bool bars : {false, true}) {
        w.printBarsCheck->setChecked(bars);
        EXPECT_EQ(w.barHeightSpin->isEnabled(), bars);
        EXPECT_EQ(w.barHeightSpin->Value(), 4);
        ASSERT_TRUE(test::PrintAndWait(w));
        ASSERT_FALSE(spooler.jobs.empty());
        const std::string bytes = spooler.jobs.back().Bytes();
        EXPECT_NE(bytes.find("      1: ab\r\n"), std::string::npos);
        EXPECT_EQ(bytes.find(macro) != std::string::npos, bars);
    }
}

TEST_F(MainWindowTest, BarHeightTakesDigitsAndSignsAndStaysWithinOneToSix) {
    MainWindow& w = Window();
    BarHeightSpinBox& spin = *w.barHeightSpin;
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

TEST_F(MainWindowTest, OpenDialogShowsTheFilterDescriptionsAndAddsThePickedNamesTicked) {
    QFileDialog dialog;
    MainWindow::ConfigureOpenDialog(dialog);
    // Each file type reads as its filter without the pattern list Qt takes
    // from the last parentheses; text files come first.
    const QStringList filters = dialog.nameFilters();
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), filters.size());
    const QRegularExpression patternList(R"(^ \([^()]*\)$)");
    for (int i = 0; i < filters.size(); ++i) {
        const QString shown = types->itemText(i);
        EXPECT_TRUE(filters[i].startsWith(shown) &&
                    patternList.match(filters[i].mid(shown.size())).hasMatch())
            << filters[i].toStdString() << " shown as " << shown.toStdString();
    }
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
    // "Any File" lists files without a dot in their names too.
    const QString patterns =
        patternList.match(filters.last().mid(types->itemText(types->count() - 1).size()))
            .captured(0);
    EXPECT_TRUE(QDir::match(patterns.trimmed().mid(1).chopped(1), "Makefile"))
        << patterns.toStdString();

    MainWindow& w = Window();
    w.AddFiles({"/old/a.c"});
    w.fileList->SetChecked(0, false);
    picked = {"/src/one.pas", "/src/two.pas", "/src/one.pas", "/old/a.c"};
    w.openAction->trigger();
    ASSERT_EQ(w.fileList->Count(), 3) << "each file once";
    EXPECT_FALSE(w.fileList->Checked(0)) << "earlier entries keep their ticks";
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(w.fileList->Text(i), picked[i - 1]);
        EXPECT_TRUE(w.fileList->Checked(i));
    }
    picked.clear(); // cancelled
    w.openAction->trigger();
    EXPECT_EQ(w.fileList->Count(), 3);
}

// Typed without an extension, a name opens the file of that name, else
// NAME.txt, else NAME.TXT.
TEST_F(MainWindowTest, ANameTypedWithoutExtensionOpensTheFileThatExists) {
    struct Case {
        std::vector<const char*> files;
        const char* opened;
    };
    const Case cases[] = {{{"notes.txt"}, "notes.txt"},
                          {{"notes.TXT"}, "notes.TXT"},
                          {{"notes.txt", "notes.TXT"}, "notes.txt"},
                          {{"notes", "notes.txt"}, "notes"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opened);
        test::TempDir folder;
        for (const char* file : c.files)
            test::WriteFile(folder / file, "text\n");
        QFileDialog dialog;
        MainWindow::ConfigureOpenDialog(dialog);
        dialog.setDirectory(QString::fromStdString(folder.Path().string()));
        QTest::keyClicks(dialog.findChild<QLineEdit*>("fileNameEdit"), "notes");
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        buttons->button(QDialogButtonBox::Open)->click(); // nothing while disabled: no such file
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.selectedFiles().join('|').toStdString(), (folder / c.opened).string());
    }
}

// Files that are there and not yet listed arrive; the status bar says
// which did not: names of no file, folders and those already listed.
TEST_F(MainWindowTest, FilesDroppedOnTheListArriveTickedInTheirOrder) {
    MainWindow& w = Window();
    test::TempDir src;
    for (const char* name : {"there.c", "a.c", "b.h"})
        test::WriteFile(src / name, "x\n");
    std::filesystem::create_directory(src / "folder");
    const auto in = [&](const char* name) { return QString::fromStdString((src / name).string()); };
    w.AddFiles({in("there.c")});
    w.fileList->SetChecked(0, false);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(in("a.c")), QUrl::fromLocalFile(in("b.h")),
                  QUrl::fromLocalFile(in("folder")), QUrl::fromLocalFile(in("there.c")),
                  QUrl::fromLocalFile(in("gone.c")), QUrl::fromLocalFile("/" + QString(259, 'n'))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.fileList->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.fileList->viewport(), &drop);
    ASSERT_EQ(w.fileList->Count(), 3) << "the 260-character name is left out";
    EXPECT_FALSE(w.fileList->Checked(0));
    EXPECT_EQ(w.fileList->Text(1), in("a.c"));
    EXPECT_EQ(w.fileList->Text(2), in("b.h"));
    for (int i = 1; i < 3; ++i)
        EXPECT_TRUE(w.fileList->Checked(i));
    EXPECT_EQ(w.hintStatusBar->currentMessage(), "Not added: " + in("folder") + " (a folder); " +
                                                     in("there.c") + " (already in the list); " +
                                                     in("gone.c") + " (no such file)");

    // Elsewhere in the window nothing is taken.
    QDragEnterEvent elsewhere(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    elsewhere.ignore();
    QApplication::sendEvent(w.optionsPanel, &elsewhere);
    EXPECT_FALSE(elsewhere.isAccepted());
}

TEST_F(MainWindowTest, DeleteTakesTheHighlightedEntryOnceAndClearTakesAll) {
    MainWindow& w = Window();
    w.AddFiles({"/a", "/b", "/c"});
    w.deleteEntryAction->trigger(); // nothing highlighted
    EXPECT_EQ(w.fileList->Count(), 3);
    w.fileList->SetChecked(1, false);
    w.fileList->setCurrentRow(1);
    w.deleteEntryAction->trigger();
    w.deleteEntryAction->trigger(); // nothing highlighted after a delete
    ASSERT_EQ(w.fileList->Count(), 2);
    EXPECT_EQ(w.fileList->ItemIndex(), -1);
    EXPECT_EQ(w.fileList->Text(0), "/a");
    EXPECT_EQ(w.fileList->Text(1), "/c");
    EXPECT_TRUE(w.fileList->Checked(1));
    w.clearListAction->trigger();
    EXPECT_EQ(w.fileList->Count(), 0);
    w.clearListAction->trigger();
    EXPECT_EQ(w.fileList->Count(), 0);
}

TEST_F(MainWindowTest, AnEmptyListOnlySaysSo) {
    MainWindow& w = Window();
    w.printAction->trigger();
    EXPECT_EQ(messages, (std::vector<std::string>{"No files to print!?!"}));
    EXPECT_TRUE(spooler.jobs.empty());
}

// A page holds the header, a blank line and then numbered lines up to the
// page length: 10 inches at 8 lpi are 80 lines (78 numbered), at 6 lpi 60
// (58 numbered). 200 lines take 3 pages at 8 lpi (78 + 78 + 44), 4 at 6 lpi.
TEST_F(MainWindowTest, PreviewPaintsTheHighlightedFileElseTheFirstTickedOne) {
    const test::QtWarnings warnings;
    spooler.capabilities["Laser"].forms = {{"Letter", 1, {2159, 2794}, 2},
                                           {"A4", 9, {2100, 2970}, 26}};
    MainWindow& w = Window();
    std::string lines;
    for (int i = 1; i <= 200; ++i)
        lines += "line " + std::to_string(i) + "\n";
    test::WriteFile(dir / "short.txt", "one\ntwo\nthree\n");
    test::WriteFile(dir / "long.txt", lines);
    w.AddFiles({QString::fromStdString((dir / "short.txt").string()),
                QString::fromStdString((dir / "long.txt").string())});
    struct Case {
        int highlighted; // -1: none, and the first entry unticked
        bool sixLpi;
        bool landscape;
        int pages;
    };
    const Case cases[] = {
        {0, false, false, 1},  {1, false, false, 3}, {1, true, false, 4},
        {-1, false, false, 3}, {1, false, true, 4}, // 60 lines a page
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.highlighted);
        w.fileList->SetItemIndex(c.highlighted);
        w.fileList->SetChecked(0, c.highlighted != -1);
        (c.sixLpi ? w.sixLpiRadio : w.eightLpiRadio)->setChecked(true);
        w.landscapeCheck->setChecked(c.landscape);
        previews.clear();
        ASSERT_TRUE(test::PreviewAndWait(w));
        ASSERT_EQ(previews.size(), 1u);
        EXPECT_EQ(previews[0].pages, c.pages);
        EXPECT_EQ(previews[0].paper, "Letter") << "the default settings name no form";
        EXPECT_EQ(previews[0].landscape, c.landscape);
    }
    w.landscapeCheck->setChecked(false);
    EXPECT_TRUE(warnings.None()) << warnings.First();
    // Default settings that name one of its forms: that paper, once chosen again.
    spooler.capabilities["Laser"].defaults.paper = 9;
    PickPrinter(w, 1);
    PickPrinter(w, 0);
    w.fileList->SetItemIndex(0);
    previews.clear();
    ASSERT_TRUE(test::PreviewAndWait(w));
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(previews[0].pages, 1);
    EXPECT_EQ(previews[0].paper, "A4");
    // The paper the listing asks for goes before the default.
    w.paperCombo->setCurrentIndex(w.paperCombo->findText("Letter"));
    ASSERT_TRUE(test::PreviewAndWait(w));
    ASSERT_EQ(previews.size(), 2u);
    EXPECT_EQ(previews[1].paper, "Letter");
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(spooler.jobs.empty()) << "previewing sends nothing to a printer";
}

TEST_F(MainWindowTest, PreviewOfAMissingFileOrOfNoFileShowsNoDialog) {
    MainWindow& w = Window();
    ASSERT_TRUE(test::PreviewAndWait(w));
    EXPECT_EQ(messages, (std::vector<std::string>{"No files to print!?!"}));
    w.AddFiles({QString::fromStdString((dir / "gone.txt").string())});
    w.fileList->SetItemIndex(0);
    ASSERT_TRUE(test::PreviewAndWait(w));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].first, "Cannot preview gone.txt: the file does not exist.");
    EXPECT_TRUE(previews.empty());
    EXPECT_TRUE(spooler.jobs.empty());
}

TEST_F(MainWindowTest, BuildStampComesFromTheVersionAndTheFilesTime) {
    const char* oldTz = std::getenv("TZ");
    const std::string savedTz = oldTz ? oldTz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    utimbuf times{};
    times.modtime = 1046707530; // Monday, March 3, 2003, 16:05:30 UTC
    times.actime = times.modtime;
    ASSERT_EQ(utime((dir / "zellist-gui").c_str(), &times), 0);
    MainWindow& w = Window();
    if (oldTz)
        setenv("TZ", savedTz.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(w.BuildStamp(), "Build 0.9.2.9: Monday, March 3, 2003 at 4:05 pm");
    EXPECT_EQ(w.aboutDialog.captionTitle, w.BuildStamp());
    EXPECT_EQ(w.aboutDialog.appName, "ZelList GUI");
    EXPECT_EQ(w.aboutDialog.version, "0.9.2.9");
    EXPECT_EQ(w.aboutDialog.description, "Sort of the same, but not quite");
    EXPECT_EQ(w.aboutDialog.copyright, "(C) us");
}

TEST_F(MainWindowTest, WithoutVersionInformationTheErrorIsShownAndTheWindowOpens) {
    MainWindow& w = Window((dir / "unversioned").string());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "File unversioned has no version information");
    EXPECT_TRUE(w.BuildStamp().isEmpty());
}

TEST_F(MainWindowTest, ClicksOnTheInformationOrHintLabelStepThroughSixStates) {
    MainWindow& w = Window();
    EXPECT_EQ(w.variableInfoLabel->Text(), "Username\talice");
    EXPECT_TRUE(w.dateTimeLabel->Text().find("2026") != std::string::npos);
    const InfoKind seen[] = {InfoKind::WindowsDir,      InfoKind::CurrentDir,
                             InfoKind::ComputerName,    InfoKind::Platform,
                             InfoKind::ProgramComments, InfoKind::User};
    for (int i = 0; i < 6; ++i) {
        QWidget* target =
            i % 2 ? static_cast<QWidget*>(w.hintLabel) : static_cast<QWidget*>(w.variableInfoLabel);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        EXPECT_EQ(w.variableInfoLabel->Info(), seen[i]);
        if (seen[i] == InfoKind::ProgramComments) {
            EXPECT_EQ(w.variableInfoLabel->Text(), "\tSort of the same, but not quite");
        }
    }
    EXPECT_EQ(w.variableInfoLabel->Text(), "Username\talice");
}

} // namespace
} // namespace zl
