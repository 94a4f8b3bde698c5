// The main window's controls: where they are, what they say and how they
// start out.
#include "app/MainWindow.h"

#include "app/BarHeightSpinBox.h"
#include "app/ElidedLabel.h"
#include "app/FileDropTarget.h"
#include "app/FileListBox.h"
#include "app/LegibleText.h"
#include "app/PrintRunControl.h"
#include "app/PrinterComboBox.h"
#include "printer/StoredSelectorSettings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
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

} // namespace

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    setWindowTitle(kCaption);
    // The window keeps the platform's font; its design size grows with it.
    // It is placed on the screen once built, at its stored place else centred.
    const QSizeF scale = ScaledLayout::ScaleFor(font());
    resize(static_cast<int>(592 * scale.width()), static_cast<int>(413 * scale.height()));

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
    optionsPanel = new QWidget(optionsSplitter);
    optionsPanel->setObjectName("optionsPanel");
    optionsSplitter->addWidget(fileListPanel);
    optionsSplitter->addWidget(optionsPanel);
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

void MainWindow::FitToFont() {
    const QSize options = optionsLayout_.Apply(optionsPanel);
    optionsPanel->setMinimumSize(options);
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
    const QStyle* s = style();
    struct Command {
        QAction** action;
        const char* name;
        const char* caption;
        const char* hint;
        const char* category;
        QIcon icon;
        void (MainWindow::*handler)();
        // The platform's key for the command, else `keys`.
        QKeySequence::StandardKey standard;
        const char* keys;
    };
    const Command commands[] = {
        {&openAction, "openAction", "&Open...", "Open|Opens an existing file", "File",
         ThemeIcon("document-open", QStyle::SP_DialogOpenButton, s), &MainWindow::OpenFiles,
         QKeySequence::Open, "Ctrl+O"},
        {&deleteEntryAction, "deleteEntryAction", "Delete Entry",
         "Delete Entry|Delete only selected entries", "Actions",
         ThemeIcon("edit-delete", QStyle::SP_TrashIcon, s), &MainWindow::DeleteEntry,
         QKeySequence::Delete, "Del"},
        {&clearListAction, "clearListAction", "Clear File List",
         "Clear List|Clear entire file list", "Actions",
         ThemeIcon("edit-clear", QStyle::SP_DialogResetButton, s), &MainWindow::ClearList,
         QKeySequence::UnknownKey, "Ctrl+Shift+Del"},
        {&printAction, "printAction", "&Print", "Print|Print selected files in the list", "Actions",
         ThemeIcon("document-print", QStyle::SP_DialogApplyButton, s),
         &MainWindow::PrintTickedFiles, QKeySequence::Print, "Ctrl+P"},
        {&previewAction, "previewAction", "Preview",
         "Preview|Show the listing of the highlighted file as it will print", "Actions",
         ThemeIcon("document-print-preview", QStyle::SP_FileDialogContentsView, s),
         &MainWindow::PreviewListing, QKeySequence::UnknownKey, "Ctrl+Shift+P"},
        {&aboutAction, "aboutAction", "About", "About|Display 'about box'", "Help",
         ThemeIcon("help-about", QStyle::SP_MessageBoxInformation, s), &MainWindow::ShowAbout,
         QKeySequence::HelpContents, "F1"},
        {&exitAction, "exitAction", "E&xit", "Exit|Quits the application", "File",
         ThemeIcon("application-exit", QStyle::SP_DialogCloseButton, s), nullptr,
         QKeySequence::Quit, "Ctrl+Q"},
    };
    for (const Command& c : commands) {
        QAction* action = new QAction(c.icon, c.caption, this);
        action->setObjectName(c.name);
        action->setProperty("category", c.category);
        action->setProperty("zlHint", c.hint);
        QList<QKeySequence> keys = QKeySequence::keyBindings(c.standard);
        if (keys.isEmpty())
            keys = {QKeySequence(c.keys)};
        action->setShortcuts(keys);
        // Delete takes an entry only while the list has the focus: elsewhere
        // it edits what has the focus.
        action->setShortcutContext(c.action == &deleteEntryAction ? Qt::WidgetShortcut
                                                                  : Qt::WindowShortcut);
        *c.action = action;
        toolBar->addAction(action);
        QWidget* button = toolBar->widgetForAction(action);
        HintTracker::SetHint(button, c.hint);
        // The tool tip names the key, as a menu would beside the command.
        action->setToolTip(button->toolTip() + " (" +
                           keys.first().toString(QKeySequence::NativeText) + ")");
        button->setToolTip(action->toolTip());
        auto handler = c.handler;
        if (handler)
            connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    }
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::CreateOptions() {
    HintTracker::SetHint(optionsPanel, "Bar Height|Select height of bar overlay");
    auto group = [this](QGroupBox*& box, const char* name, const char* title, QRect rect,
                        const char* hint) {
        box = new QGroupBox(title, optionsPanel);
        box->setObjectName(name);
        optionsLayout_.Place(box, rect);
        HintTracker::SetHint(box, hint);
    };
    auto radio = [this](QRadioButton*& button, const char* name, const char* text, QWidget* parent,
                        QRect rect, bool checked) {
        button = new QRadioButton(text, parent);
        button->setObjectName(name);
        optionsLayout_.Place(button, rect);
        button->setChecked(checked);
        SetMarkColor(button, kPurple);
        TabStopAtCheckedRadio(parent);
        // Selecting a radio clears its partners quietly, then runs its click.
        connect(button, &QRadioButton::toggled, this, [this, parent](bool on) {
            TabStopAtCheckedRadio(parent);
            if (on)
                PageSettings();
        });
    };
    auto check = [this](QCheckBox*& box, const char* name, const char* text, QWidget* parent,
                        QRect rect, bool checked, const char* hint) {
        box = new QCheckBox(text, parent);
        box->setObjectName(name);
        optionsLayout_.Place(box, rect);
        box->setChecked(checked);
        SetMarkColor(box, kPurple);
        if (hint)
            HintTracker::SetHint(box, hint);
    };
    auto label = [this](QLabel*& text, const char* name, const char* caption, QRect rect) {
        text = new QLabel(caption, optionsPanel);
        text->setObjectName(name);
        optionsLayout_.Place(text, rect);
    };

    label(pclWarningLabel, "pclWarningLabel", "Selected printer MUST support HP's PCL - 1",
          {328, 16, 211, 13});
    SetTextColor(pclWarningLabel, kMaroon);
    label(linePrinterWarningLabel, "linePrinterWarningLabel", "Lineprinter font must be compressed",
          {352, 32, 172, 13});
    SetTextColor(linePrinterWarningLabel, kPurple);

    group(fontStyleGroup, "fontStyleGroup", "Font Style", {16, 38, 137, 43},
          "Font Style|Select Courier or LinePrinter");
    radio(courierRadio, "courierRadio", "&Courier", fontStyleGroup, {8, 16, 57, 20}, true);
    radio(linePrinterRadio, "linePrinterRadio", "&Lineptr", fontStyleGroup, {72, 16, 57, 20},
          false);
    group(fontSizeGroup, "fontSizeGroup", "Font Size", {168, 38, 137, 43},
          "Font Size|Select 8 pt or 10 pt");
    check(compressedCheck, "compressedCheck", "Co&mpressed (16 cpi)", fontSizeGroup,
          {8, 16, 121, 17}, true, nullptr);
    check(landscapeCheck, "landscapeCheck", "L&andscape", optionsPanel, {320, 56, 81, 17}, false,
          "Landscape|Print lin landscape format");
    check(printBarsCheck, "printBarsCheck", "Print &bars", optionsPanel, {432, 56, 73, 17}, true,
          "Bars|Print greenbar overlay");
    barHeightSpin = new BarHeightSpinBox(optionsPanel);
    barHeightSpin->setObjectName("barHeightSpin");
    optionsLayout_.Place(barHeightSpin, {432, 84, 41, 21});
    label(linesHighLabel, "linesHighLabel", "Lines &High", {488, 88, 52, 13});
    linesHighLabel->setBuddy(barHeightSpin);
    check(headersCheck, "headersCheck", "Headers", optionsPanel, {320, 86, 73, 17}, true,
          "Headers|Include page headers");
    check(lineNumbersCheck, "lineNumbersCheck", "Line Numbers", optionsPanel, {320, 118, 89, 17},
          true, "Line Numbers|Include line numbers");
    // Their tick is money green; their text a shade of it that reads well.
    for (QCheckBox* fixed : {headersCheck, lineNumbersCheck}) {
        fixed->setEnabled(false);
        SetMarkColor(fixed, kMoneyGreen);
        KeepTextLegible(fixed, kMoneyGreen);
    }
    group(linesPerInchGroup, "linesPerInchGroup", "Lines per Inch", {16, 94, 137, 43},
          "Font Size|Select 8 pt or 10 pt");
    radio(sixLpiRadio, "sixLpiRadio", "&6 lpi", linesPerInchGroup, {8, 16, 65, 20}, false);
    radio(eightLpiRadio, "eightLpiRadio", "&8 lpi", linesPerInchGroup, {72, 16, 57, 20}, true);
    group(charsetGroup, "charsetGroup", "Char Set", {168, 94, 137, 43},
          "Font Size|Select 8 pt or 10 pt");
    radio(ibmCharsetRadio, "ibmCharsetRadio", "&IBM", charsetGroup, {8, 16, 57, 20}, true);
    radio(roman8CharsetRadio, "roman8CharsetRadio", "&No IBM", charsetGroup, {64, 16, 57, 20},
          false);

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
    SetTextColor(printingLabel, Qt::red);
    infoStatusBar->addWidget(printerInfoLabel);
    infoStatusBar->addPermanentWidget(printingLabel);

    hintStatusBar = new QStatusBar(this);
    hintStatusBar->setObjectName("hintStatusBar");
    hintStatusBar->setSizeGripEnabled(true);
    auto* hint = new ElidedLabel(hintStatusBar);
    hint->OnClick = [this] { InfoLabelClicked(); };
    hintLabel = hint;
    hintLabel->setObjectName("hintLabel");
    InfoSource info = services_.info;
    info.comments = [this] { return aboutDialog.description.toStdString(); };
    if (!info.clock)
        info.clock = services_.clock;
    variableInfoLabel = new InfoLabel(info, hintStatusBar);
    variableInfoLabel->setObjectName("variableInfoLabel");
    variableInfoLabel->SetInfo(InfoKind::User);
    variableInfoLabel->SetDateTimeFormat("M/d/yyyy");
    HintTracker::SetHint(variableInfoLabel,
                         "Click for Information|Click this label for additional information");
    connect(variableInfoLabel, &InfoLabel::Clicked, this, [this] { InfoLabelClicked(); });
    dateTimeLabel = new InfoLabel(info, hintStatusBar);
    dateTimeLabel->setObjectName("dateTimeLabel");
    dateTimeLabel->SetUseStandardCaption(false);
    dateTimeLabel->SetInsertTabs(0);
    dateTimeLabel->SetDateTimeFormat(" dddd mmmm d, yyyy h:mm am/pm ");
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
    selector.onPrinterChange = [this](void*) { PrinterChanged(); };
    // The values the window keeps for the selector, then the end of loading.
    StoredSelectorSettings stored;
    stored.printerName = "HP LaserJet 4050 Series PCL 6";
    stored.binSource = "Automatically Select";
    Guarded([&] { LoadStoredSettings(selector, stored); });
    // Tab order: the file list, the window's main control and the first to
    // have the focus, then the options from the top left. A group box takes
    // no focus itself, so its radios stand for it.
    QWidget* const order[] = {
        fileList,       courierRadio,  linePrinterRadio, printerComboBox,   compressedCheck,
        landscapeCheck, headersCheck,  lineNumbersCheck, printBarsCheck,    barHeightSpin,
        sixLpiRadio,    eightLpiRadio, ibmCharsetRadio,  roman8CharsetRadio};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace zl
