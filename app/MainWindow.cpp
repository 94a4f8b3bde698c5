// The main window's controls: where they are, what they say and how they
// start out.
#include "app/MainWindow.h"

#include "app/BarHeightSpinBox.h"
#include "app/ElidedLabel.h"
#include "app/FileDropTarget.h"
#include "app/FileListBox.h"
#include "app/LeftClick.h"
#include "app/LegibleText.h"
#include "app/PreviewWindow.h"
#include "app/PrintRunControl.h"
#include "app/PrinterComboBox.h"
#include "app/PrinterRequestControls.h"
#include "engine/SyntaxEmphasis.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace zl {

namespace {

const QColor kPurple(128, 0, 128);
const QColor kMaroon(128, 0, 0);
const QColor kMoneyGreen(192, 220, 192);

void SetTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, color);
        palette.setColor(group, QPalette::Text, color);
        palette.setColor(group, QPalette::ButtonText, color);
    }
    widget->setPalette(palette);
}

// The colour of tick marks and radio dots.
void SetMarkColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Text, color);
    widget->setPalette(palette);
}

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback, const QStyle* style) {
    return QIcon::fromTheme(name, style->standardIcon(fallback));
}

// Tab stops at the checked radio of a group only. Qt moves a group's tab stop
// only to a radio that gets the focus, so a radio checked otherwise (at the
// start, or by the program) would leave Tab entering at another one.
void TabStopAtCheckedRadio(QWidget* group) {
    for (QRadioButton* radio :
         group->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        const Qt::FocusPolicy policy = radio->focusPolicy();
        radio->setFocusPolicy(radio->isChecked() ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                 : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
}

// A command of the tool bar: the member that holds its action, its object
// name, caption, hint and category, its icon from the theme (else the
// style's), what it does (none: connected apart) and its key: the
// platform's key for the command, else `keys`.
struct Command {
    QAction* MainWindow::*action;
    const char* name;
    const char* caption;
    const char* hint;
    const char* category;
    const char* iconName;
    QStyle::StandardPixmap fallbackIcon;
    void (MainWindow::*handler)();
    QKeySequence::StandardKey standard;
    const char* keys;
};

const Command kCommands[] = {
    {&MainWindow::openAction, "openAction", "&Open...", "Open|Opens an existing file", "File",
     "document-open", QStyle::SP_DialogOpenButton, &MainWindow::OpenFiles, QKeySequence::Open,
     "Ctrl+O"},
    {&MainWindow::deleteEntryAction, "deleteEntryAction", "Delete Entry",
     "Delete Entry|Delete only selected entries", "Actions", "edit-delete", QStyle::SP_TrashIcon,
     &MainWindow::DeleteEntry, QKeySequence::Delete, "Del"},
    {&MainWindow::clearListAction, "clearListAction", "Clear File List",
     "Clear List|Clear entire file list", "Actions", "edit-clear", QStyle::SP_DialogResetButton,
     &MainWindow::ClearList, QKeySequence::UnknownKey, "Ctrl+Shift+Del"},
    {&MainWindow::printAction, "printAction", "&Print", "Print|Print the ticked files in the list",
     "Actions", "document-print", QStyle::SP_DialogApplyButton, &MainWindow::PrintTickedFiles,
     QKeySequence::Print, "Ctrl+P"},
    {&MainWindow::previewAction, "previewAction", "Preview",
     "Preview|Show the listing of the highlighted file as it will print", "Actions",
     "document-print-preview", QStyle::SP_FileDialogContentsView, &MainWindow::PreviewListing,
     QKeySequence::UnknownKey, "Ctrl+Shift+P"},
    {&MainWindow::aboutAction, "aboutAction", "About", "About|Display 'about box'", "Help",
     "help-about", QStyle::SP_MessageBoxInformation, &MainWindow::ShowAbout,
     QKeySequence::HelpContents, "F1"},
    {&MainWindow::exitAction, "exitAction", "E&xit", "Exit|Quits the application", "File",
     "application-exit", QStyle::SP_DialogCloseButton, nullptr, QKeySequence::Quit, "Ctrl+Q"},
};

// Makes the action of `c`, puts it on the window's tool bar and connects it.
void AddCommand(MainWindow& window, const Command& c) {
    QAction* action =
        new QAction(ThemeIcon(c.iconName, c.fallbackIcon, window.style()), c.caption, &window);
    action->setObjectName(c.name);
    action->setProperty("category", c.category);
    action->setProperty("zlHint", c.hint);
    QList<QKeySequence> keys = QKeySequence::keyBindings(c.standard);
    if (keys.isEmpty())
        keys = {QKeySequence(c.keys)};
    action->setShortcuts(keys);
    // Delete takes an entry only while the list has the focus: elsewhere
    // it edits what has the focus.
    action->setShortcutContext(c.action == &MainWindow::deleteEntryAction ? Qt::WidgetShortcut
                                                                          : Qt::WindowShortcut);
    window.*c.action = action;
    window.toolBar->addAction(action);
    QWidget* button = window.toolBar->widgetForAction(action);
    HintTracker::SetHint(button, c.hint);
    // The tool tip names the key, as a menu would beside the command.
    action->setToolTip(button->toolTip() + " (" + keys.first().toString(QKeySequence::NativeText) +
                       ")");
    button->setToolTip(action->toolTip());
    if (auto handler = c.handler)
        QObject::connect(action, &QAction::triggered, &window,
                         [&window, handler] { (window.*handler)(); });
}

// A control of the options panel: the member that holds it, its object name
// (the member's name), its text and its design rectangle in its parent.
template <typename Control> struct Placed {
    Control* MainWindow::*member;
    const char* name;
    const char* text;
    QRect rect;
};

// Makes the control of `item` in `parent`, places it and keeps it in its
// member of `window`.
template <typename Control>
Control* Make(const Placed<Control>& item, QWidget* parent, MainWindow& window,
              ScaledLayout& layout) {
    auto* control = new Control(item.text, parent);
    control->setObjectName(item.name);
    layout.Place(control, item.rect);
    window.*item.member = control;
    return control;
}

// A label and its text colour (none: the theme's).
struct OptionLabel {
    Placed<QLabel> label;
    QColor color;
};

const OptionLabel kOptionLabels[] = {
    {{&MainWindow::pclWarningLabel, "pclWarningLabel", "Selected printer MUST support HP's PCL - 1",
      QRect(328, 16, 211, 13)},
     kMaroon},
    {{&MainWindow::linePrinterWarningLabel, "linePrinterWarningLabel",
      "Lineprinter font must be compressed", QRect(352, 32, 172, 13)},
     kPurple},
    {{&MainWindow::linesHighLabel, "linesHighLabel", "Lines &High", QRect(488, 88, 52, 13)},
     QColor()},
};

// A group and its hint.
struct OptionGroup {
    Placed<QGroupBox> group;
    const char* hint;
};

const OptionGroup kOptionGroups[] = {
    {{&MainWindow::fontStyleGroup, "fontStyleGroup", "Font Style", QRect(16, 38, 137, 43)},
     "Font Style|Select Courier or LinePrinter"},
    {{&MainWindow::fontSizeGroup, "fontSizeGroup", "Font Size", QRect(168, 38, 137, 43)},
     "Font Size|Select 8 pt or 10 pt"},
    {{&MainWindow::linesPerInchGroup, "linesPerInchGroup", "Lines per Inch",
      QRect(16, 94, 137, 43)},
     "Font Size|Select 8 pt or 10 pt"},
    {{&MainWindow::charsetGroup, "charsetGroup", "Char Set", QRect(168, 94, 137, 43)},
     "Font Size|Select 8 pt or 10 pt"},
};

// The radio buttons of a group, and which of them starts checked.
struct RadioGroup {
    QGroupBox* MainWindow::*group;
    int checkedAtStart;
    Placed<QRadioButton> radios[2];
};

const RadioGroup kRadioGroups[] = {
    {&MainWindow::fontStyleGroup,
     0,
     {{&MainWindow::courierRadio, "courierRadio", "&Courier", QRect(8, 16, 57, 20)},
      {&MainWindow::linePrinterRadio, "linePrinterRadio", "&Lineptr", QRect(72, 16, 57, 20)}}},
    {&MainWindow::linesPerInchGroup,
     1,
     {{&MainWindow::sixLpiRadio, "sixLpiRadio", "&6 lpi", QRect(8, 16, 65, 20)},
      {&MainWindow::eightLpiRadio, "eightLpiRadio", "&8 lpi", QRect(72, 16, 57, 20)}}},
    {&MainWindow::charsetGroup,
     0,
     {{&MainWindow::ibmCharsetRadio, "ibmCharsetRadio", "&IBM", QRect(8, 16, 57, 20)},
      {&MainWindow::roman8CharsetRadio, "roman8CharsetRadio", "&No IBM", QRect(64, 16, 57, 20)}}},
};

// A check box, the group it sits in (none: the panel), whether it starts
// checked and its hint (none: its parent's).
struct OptionCheck {
    Placed<QCheckBox> check;
    QGroupBox* MainWindow::*group;
    bool checked;
    const char* hint;
};

// A row: the control, then where it sits, how it starts and its hint.
// clang-format off
const OptionCheck kOptionChecks[] = {
    {{&MainWindow::compressedCheck, "compressedCheck", "Co&mpressed (16 cpi)",
      QRect(8, 16, 121, 17)},
     &MainWindow::fontSizeGroup, true, nullptr},
    {{&MainWindow::landscapeCheck, "landscapeCheck", "L&andscape", QRect(320, 56, 81, 17)},
     nullptr, false, "Landscape|Print lin landscape format"},
    {{&MainWindow::printBarsCheck, "printBarsCheck", "Print &bars", QRect(432, 56, 73, 17)},
     nullptr, true, "Bars|Print greenbar overlay"},
    {{&MainWindow::headersCheck, "headersCheck", "Headers", QRect(320, 86, 73, 17)},
     nullptr, true, "Headers|Include page headers"},
    {{&MainWindow::lineNumbersCheck, "lineNumbersCheck", "Line Numbers", QRect(320, 118, 89, 17)},
     nullptr, true, "Line Numbers|Include line numbers"},
    {{&MainWindow::emphasisCheck, "emphasisCheck", "Em&phasis", QRect(432, 118, 65, 17)},
     nullptr, false, "Emphasis|Print keywords bold and comments italic, by the file's language"},
};
// clang-format on

// The radio buttons of `item` in their group, marked purple. The group's
// tab stop stays on its checked radio, and a radio once checked takes the
// page settings.
void AddRadios(const RadioGroup& item, MainWindow& window, ScaledLayout& layout) {
    QWidget* group = window.*item.group;
    for (int index = 0; index < static_cast<int>(std::size(item.radios)); ++index) {
        QRadioButton* radio = Make(item.radios[index], group, window, layout);
        radio->setChecked(index == item.checkedAtStart);
        SetMarkColor(radio, kPurple);
        TabStopAtCheckedRadio(group);
        // Selecting a radio clears its partners quietly, then runs its click.
        QObject::connect(radio, &QRadioButton::toggled, &window, [&window, group](bool on) {
            TabStopAtCheckedRadio(group);
            if (on)
                window.PageSettings();
        });
    }
}

// The check box of `item`, marked purple.
void AddCheck(const OptionCheck& item, MainWindow& window, ScaledLayout& layout) {
    QWidget* parent = item.group ? window.*item.group : window.optionsPanel;
    QCheckBox* check = Make(item.check, parent, window, layout);
    check->setChecked(item.checked);
    SetMarkColor(check, kPurple);
    if (item.hint)
        HintTracker::SetHint(check, item.hint);
}

} // namespace

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    setWindowTitle(kCaption);
    // The window keeps the platform's font; its design size grows with it.
    // It is placed on the screen once built, at its stored place else centred.
    const QSizeF scale = ScaledLayout::ScaleFor(font());
    resize(static_cast<int>(592 * scale.width()), static_cast<int>(441 * scale.height()));

    CreateActions();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    optionsSplitter = new QSplitter(Qt::Vertical, central);
    optionsSplitter->setObjectName("optionsSplitter");
    optionsSplitter->setHandleWidth(3);
    optionsSplitter->setChildrenCollapsible(false);
    fileListPanel = new QWidget(optionsSplitter);
    fileListPanel->setObjectName("fileListPanel");
    auto* listLayout = new QVBoxLayout(fileListPanel);
    listLayout->setContentsMargins(0, 0, 0, 0);
    fileList = new FileListBox(fileListPanel);
    fileList->setObjectName("fileList");
    HintTracker::SetHint(fileList, "The List|List of files to print");
    fileList->addAction(deleteEntryAction); // Delete in the list
    listLayout->addWidget(fileList);
    fileDropTarget = new FileDropTarget(this);
    fileDropTarget->setObjectName("fileDropTarget");
    fileDropTarget->SetControl(fileList);
    fileDropTarget->onFilesDropped = [this](FileDropTarget* sender, int fcount, int x, int y,
                                            const QStringList& fileList) {
        FilesDropped(sender, fcount, x, y, fileList);
    };
    // The options scroll where the screen is too small for them (a large
    // font or scale on a small screen); elsewhere they show whole.
    optionsScroll = new QScrollArea(optionsSplitter);
    optionsScroll->setObjectName("optionsScroll");
    optionsScroll->setFrameShape(QFrame::NoFrame);
    optionsScroll->setWidgetResizable(true);
    optionsScroll->setFocusPolicy(Qt::NoFocus); // Tab goes from option to option
    optionsPanel = new QWidget;
    optionsPanel->setObjectName("optionsPanel");
    optionsScroll->setWidget(optionsPanel);
    optionsSplitter->addWidget(fileListPanel);
    optionsSplitter->addWidget(optionsScroll);
    optionsSplitter->setStretchFactor(0, 1);
    optionsSplitter->setStretchFactor(1, 0);
    column->addWidget(optionsSplitter, 1);
    CreateOptions();
    CreateStatusBars();
    column->addWidget(infoStatusBar);
    setCentralWidget(central);

    printRun_ = std::make_unique<PrintRunControl>(*this, services_);
    connect(printRun_.get(), &PrintRunControl::Finished, this, &MainWindow::PrintRunFinished);
    LoadPrinterDefinition();
    FitToFont();
    SetUpWindow();
    settings_ = std::make_unique<WindowSettings>(*this, services_.openSettings);
    settings_->Restore();
}

QSize MainWindow::LayOutOptions() {
    const QSize options = optionsLayout_.Apply(optionsPanel);
    optionsPanel->setMinimumSize(options);
    // The window asks for room for the whole options, but no more than its
    // screen has: half its height, its width less the window's frame.
    const QRect available = screen()->availableGeometry();
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                      optionsScroll->verticalScrollBar()->sizeHint().width();
    optionsScroll->setMinimumSize(std::min(options.width(), available.width() - frame),
                                  std::min(options.height(), available.height() / 2));
    return options;
}

void MainWindow::FitToFont() {
    const QSize options = LayOutOptions();
    optionsSplitter->setSizes({1000, options.height()});
    const QSizeF scale = ScaledLayout::ScaleFor(font());
    const int lineHeight = fontMetrics().height();
    infoStatusBar->setFixedHeight(std::max(static_cast<int>(16 * scale.height()), lineHeight + 2));
    hintStatusBar->setFixedHeight(std::max(static_cast<int>(18 * scale.height()), lineHeight + 4));
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(&hints_);
}

void MainWindow::CreateActions() {
    toolBar = addToolBar("CoolBar1");
    toolBar->setObjectName("toolBar");
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar->setMovable(false);
    toolBar->setFixedHeight(29);
    for (const Command& command : kCommands)
        AddCommand(*this, command);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::CreateOptions() {
    HintTracker::SetHint(optionsPanel, "Bar Height|Select height of bar overlay");
    for (const OptionLabel& label : kOptionLabels) {
        QLabel* made = Make(label.label, optionsPanel, *this, optionsLayout_);
        if (label.color.isValid())
            SetTextColor(made, label.color);
    }
    for (const OptionGroup& group : kOptionGroups)
        HintTracker::SetHint(Make(group.group, optionsPanel, *this, optionsLayout_), group.hint);
    for (const RadioGroup& radios : kRadioGroups)
        AddRadios(radios, *this, optionsLayout_);
    for (const OptionCheck& check : kOptionChecks)
        AddCheck(check, *this, optionsLayout_);
    barHeightSpin = new BarHeightSpinBox(optionsPanel);
    barHeightSpin->setObjectName("barHeightSpin");
    optionsLayout_.Place(barHeightSpin, {432, 84, 41, 21});
    linesHighLabel->setBuddy(barHeightSpin);
    CreateRequestControls(*this, optionsLayout_);
    // Their tick is money green; their text a shade of it that reads well.
    for (QCheckBox* fixed : {headersCheck, lineNumbersCheck}) {
        fixed->setEnabled(false);
        SetMarkColor(fixed, kMoneyGreen);
        KeepTextLegible(fixed, kMoneyGreen);
    }
    // Without a language to highlight the box stays in its place, disabled,
    // and its hint says why.
    if (KnownLanguages().empty()) {
        emphasisCheck->setEnabled(false);
        HintTracker::SetHint(emphasisCheck,
                             "Emphasis|Bold keywords and italic comments are not available in "
                             "this build");
    }
    for (QCheckBox* box : {compressedCheck, landscapeCheck, headersCheck, lineNumbersCheck})
        connect(box, &QCheckBox::toggled, this, [this] { PageSettings(); });
    connect(printBarsCheck, &QCheckBox::toggled, this, [this] { PrintBarsToggled(); });
    connect(barHeightSpin, &BarHeightSpinBox::Changed, this, [this] { PageSettings(); });
}

void MainWindow::CreateStatusBars() {
    infoStatusBar = new QStatusBar(this);
    infoStatusBar->setObjectName("infoStatusBar");
    infoStatusBar->setSizeGripEnabled(false);
    printerInfoLabel = new QLabel(infoStatusBar);
    printerInfoLabel->setObjectName("printerInfoLabel");
    printerInfoLabel->setAlignment(Qt::AlignCenter);
    SetTextColor(printerInfoLabel, kPurple);
    printingLabel = new QLabel(infoStatusBar);
    printingLabel->setObjectName("printingLabel");
    printingLabel->setAlignment(Qt::AlignCenter);
    // Off the window's edge by a character's width.
    printingLabel->setContentsMargins(0, 0, fontMetrics().averageCharWidth(), 0);
    SetTextColor(printingLabel, Qt::red);
    infoStatusBar->addWidget(printerInfoLabel);
    infoStatusBar->addPermanentWidget(printingLabel);

    hintStatusBar = new QStatusBar(this);
    hintStatusBar->setObjectName("hintStatusBar");
    hintStatusBar->setSizeGripEnabled(true);
    hintLabel = new ElidedLabel(hintStatusBar);
    hintLabel->setObjectName("hintLabel");
    OnLeftClick(hintLabel, [this] { InfoLabelClicked(); });
    InfoSource info = services_.info;
    info.comments = [this] { return aboutDialog.description.toStdString(); };
    if (!info.clock)
        info.clock = services_.clock;
    variableInfoLabel = new InfoLabel(info, hintStatusBar);
    variableInfoLabel->setObjectName("variableInfoLabel");
    InfoTextStyle variableStyle;
    variableStyle.dateTimeFormat = "M/d/yyyy";
    variableInfoLabel->SetStyle(variableStyle);
    variableInfoLabel->SetInfo(InfoKind::User);
    HintTracker::SetHint(variableInfoLabel,
                         "Click for Information|Click this label for additional information");
    OnLeftClick(variableInfoLabel, [this] { InfoLabelClicked(); });
    dateTimeLabel = new InfoLabel(info, hintStatusBar);
    dateTimeLabel->setObjectName("dateTimeLabel");
    InfoTextStyle dateTimeStyle;
    dateTimeStyle.useStandardCaption = false;
    dateTimeStyle.insertTabs = 0;
    dateTimeStyle.dateTimeFormat = " dddd mmmm d, yyyy h:mm am/pm ";
    dateTimeLabel->SetStyle(dateTimeStyle);
    dateTimeLabel->SetInfo(InfoKind::CurrentDateTime);
    hintStatusBar->addWidget(hintLabel, 1);
    hintStatusBar->addPermanentWidget(variableInfoLabel);
    hintStatusBar->addPermanentWidget(dateTimeLabel);
    setStatusBar(hintStatusBar);
}

void MainWindow::LoadPrinterDefinition() {
    printerComboBox = new PrinterComboBox(this, *services_.printer);
    printerComboBox->setParent(optionsPanel);
    printerComboBox->setObjectName("printerComboBox");
    optionsLayout_.Place(printerComboBox, {16, 10, 289, 21});
    HintTracker::SetHint(printerComboBox, "Select Printer|Select printer for output");
    printerComboBox->onError = [this](const std::string& message) {
        services_.showError(QString::fromStdString(message));
    };
    PrinterSelector& selector = printerComboBox->Selector();
    selector.onPrinterChange = [this] { PrinterChanged(); };
    Guarded([&] { selector.ListPrinters(); });
    // Tab order: the file list, the window's main control and the first to
    // have the focus, then the options from the top left. A group box takes
    // no focus itself, so its radios stand for it.
    QWidget* const order[] = {
        fileList,       courierRadio,  linePrinterRadio, printerComboBox, compressedCheck,
        landscapeCheck, headersCheck,  lineNumbersCheck, printBarsCheck,  barHeightSpin,
        emphasisCheck,  sixLpiRadio,   eightLpiRadio,    ibmCharsetRadio, roman8CharsetRadio,
        copiesSpin,     twoSidedCombo, paperCombo,       trayCombo};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void MainWindow::ShowRunStatus(const QString& text, bool alarming) {
    SetTextColor(printingLabel, alarming ? QColor(Qt::red) : palette().color(QPalette::WindowText));
    printingLabel->setText(text);
}

} // namespace zl
