// The main window's controls: where they are, what they say and how they
// start out.
#include "app/TfrmMain.h"

#include "app/BarHeightSpinBox.h"
#include "app/ElidedLabel.h"
#include "app/TLMDFMDrop.h"
#include "app/TPrinterDefinition.h"
#include "app/TProCheckListBox.h"
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

// Tick marks and radio dots are drawn in purple.
void SetMarkColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Text, color);
    widget->setPalette(palette);
}

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback, const QStyle* style) {
    return QIcon::fromTheme(name, style->standardIcon(fallback));
}

} // namespace

TfrmMain::TfrmMain(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
    setWindowTitle(kCaption);
    // A small sans-serif face, as the layout's fixed positions expect.
    QFont small = font();
    small.setFamily("DejaVu Sans");
    small.setPixelSize(10);
    setFont(small);
    move(229, 142);
    resize(592, 413);
    job_ = std::make_unique<RawPrintJob>(*services_.spooler);

    CreateActions();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    SplitterBottom = new QSplitter(Qt::Vertical, central);
    SplitterBottom->setObjectName("SplitterBottom");
    SplitterBottom->setHandleWidth(3);
    SplitterBottom->setChildrenCollapsible(false);
    pnlTopLeft = new QWidget(SplitterBottom);
    pnlTopLeft->setObjectName("pnlTopLeft");
    auto* listLayout = new QVBoxLayout(pnlTopLeft);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listFiles = new TProCheckListBox(pnlTopLeft);
    listFiles->setObjectName("listFiles");
    HintTracker::SetHint(listFiles, "The List|List of files to print");
    listLayout->addWidget(listFiles);
    LMDFMDrop = new TLMDFMDrop(this);
    LMDFMDrop->setObjectName("LMDFMDrop");
    LMDFMDrop->SetControl(listFiles);
    LMDFMDrop->OnFMDragDrop = [this](TLMDFMDrop* sender, int fcount, int x, int y,
                                     const QStringList& fileList) {
        LMDFMDropFMDragDrop(sender, fcount, x, y, fileList);
    };
    pnlBottom = new QWidget(SplitterBottom);
    pnlBottom->setObjectName("pnlBottom");
    pnlBottom->setMinimumHeight(149);
    SplitterBottom->addWidget(pnlTopLeft);
    SplitterBottom->addWidget(pnlBottom);
    SplitterBottom->setStretchFactor(0, 1);
    SplitterBottom->setStretchFactor(1, 0);
    column->addWidget(SplitterBottom, 1);
    CreateOptions();
    CreateStatusBars();
    column->addWidget(statMainInfo);
    setCentralWidget(central);
    SplitterBottom->setSizes({1000, 149});

    ListingOptions& options = *this;
    composer_ = std::make_unique<ListingComposer>(*job_, *services_.printer, options, geometry_,
                                                  *services_.clock, services_.names);
    LoadPrinterDefinition();
    FormCreate();
}

TfrmMain::~TfrmMain() {
    qApp->removeEventFilter(&hints_);
}

void TfrmMain::CreateActions() {
    ActionToolBar1 = addToolBar("CoolBar1");
    ActionToolBar1->setObjectName("ActionToolBar1");
    ActionToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ActionToolBar1->setMovable(false);
    ActionToolBar1->setFixedHeight(29);
    const QStyle* s = style();
    struct Command {
        QAction** action;
        const char* name;
        const char* caption;
        const char* hint;
        const char* category;
        QIcon icon;
        void (TfrmMain::*handler)();
    };
    const Command commands[] = {
        {&actOpen, "actOpen", "&Open...", "Open|Opens an existing file", "File",
         ThemeIcon("document-open", QStyle::SP_DialogOpenButton, s), &TfrmMain::actOpenExecute},
        {&actDelEntry, "actDelEntry", "Delete Entry", "Delete Entry|Delete only selected entries",
         "Actions", ThemeIcon("edit-delete", QStyle::SP_TrashIcon, s),
         &TfrmMain::actDelEntryExecute},
        {&actClearList, "actClearList", "Clear File List", "Clear List|Clear entire file list",
         "Actions", ThemeIcon("edit-clear", QStyle::SP_DialogResetButton, s),
         &TfrmMain::actClearListExecute},
        {&actPrint, "actPrint", "&Print", "Print|Print selected files in the list", "Actions",
         ThemeIcon("document-print", QStyle::SP_DialogApplyButton, s), &TfrmMain::actPrintExecute},
        {&actAbout, "actAbout", "About", "About|Display 'about box'", "Help",
         ThemeIcon("help-about", QStyle::SP_MessageBoxInformation, s), &TfrmMain::actAboutExecute},
        {&actExit, "actExit", "E&xit", "Exit|Quits the application", "File",
         ThemeIcon("application-exit", QStyle::SP_DialogCloseButton, s), nullptr},
    };
    for (const Command& c : commands) {
        QAction* action = new QAction(c.icon, c.caption, this);
        action->setObjectName(c.name);
        action->setProperty("category", c.category);
        action->setProperty("zlHint", c.hint);
        *c.action = action;
        ActionToolBar1->addAction(action);
        HintTracker::SetHint(ActionToolBar1->widgetForAction(action), c.hint);
        auto handler = c.handler;
        if (handler)
            connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    }
    actOpen->setShortcut(QKeySequence("Ctrl+O"));
    actOpen->setShortcutContext(Qt::WindowShortcut);
    connect(actExit, &QAction::triggered, this, &QWidget::close);
}

void TfrmMain::CreateOptions() {
    HintTracker::SetHint(pnlBottom, "Bar Height|Select height of bar overlay");
    auto group = [this](QGroupBox*& box, const char* name, const char* title, QRect rect,
                        const char* hint) {
        box = new QGroupBox(title, pnlBottom);
        box->setObjectName(name);
        box->setGeometry(rect);
        HintTracker::SetHint(box, hint);
    };
    auto radio = [this](QRadioButton*& button, const char* name, const char* text, QWidget* parent,
                        QRect rect, bool checked) {
        button = new QRadioButton(text, parent);
        button->setObjectName(name);
        button->setGeometry(rect);
        button->setChecked(checked);
        SetMarkColor(button, kPurple);
        // Selecting a radio clears its partners quietly, then runs its click.
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                PageSettings();
        });
    };
    auto check = [this](QCheckBox*& box, const char* name, const char* text, QWidget* parent,
                        QRect rect, bool checked, const char* hint) {
        box = new QCheckBox(text, parent);
        box->setObjectName(name);
        box->setGeometry(rect);
        box->setChecked(checked);
        SetMarkColor(box, kPurple);
        if (hint)
            HintTracker::SetHint(box, hint);
    };
    auto label = [this](QLabel*& text, const char* name, const char* caption, QRect rect) {
        text = new QLabel(caption, pnlBottom);
        text->setObjectName(name);
        text->setGeometry(rect);
    };

    label(RxLabel2, "RxLabel2", "Selected printer MUST support HP's PCL - 1", {328, 16, 211, 13});
    SetTextColor(RxLabel2, kMaroon);
    label(RxLabel3, "RxLabel3", "Lineprinter font must be compressed", {352, 32, 172, 13});
    SetTextColor(RxLabel3, kPurple);

    group(GroupBox1, "GroupBox1", "Font Style", {16, 38, 137, 43},
          "Font Style|Select Courier or LinePrinter");
    radio(ckCourier, "ckCourier", "Courier", GroupBox1, {8, 16, 57, 20}, true);
    radio(ckLinePrinter, "ckLinePrinter", "Lineptr", GroupBox1, {72, 16, 57, 20}, false);
    group(GroupBox2, "GroupBox2", "Font Size", {168, 38, 137, 43},
          "Font Size|Select 8 pt or 10 pt");
    check(ckCompressed, "ckCompressed", "Compressed (16 cpi)", GroupBox2, {8, 16, 121, 17}, true,
          nullptr);
    check(ckLandscape, "ckLandscape", "Landscape", pnlBottom, {320, 56, 81, 17}, false,
          "Landscape|Print lin landscape format");
    check(ckPrintBars, "ckPrintBars", "Print bars", pnlBottom, {432, 56, 73, 17}, true,
          "Bars|Print greenbar overlay");
    spinBarHeight = new BarHeightSpinBox(pnlBottom);
    spinBarHeight->setObjectName("spinBarHeight");
    spinBarHeight->setGeometry(432, 84, 41, 21);
    label(RxLabel1, "RxLabel1", "Lines High", {488, 88, 52, 13});
    check(ckHeaders, "ckHeaders", "Headers", pnlBottom, {320, 86, 73, 17}, true,
          "Headers|Include page headers");
    check(ckLineNumbers, "ckLineNumbers", "Line Numbers", pnlBottom, {320, 118, 89, 17}, true,
          "Line Numbers|Include line numbers");
    for (QCheckBox* fixed : {ckHeaders, ckLineNumbers}) {
        fixed->setEnabled(false);
        SetTextColor(fixed, kMoneyGreen);
    }
    group(GroupBox3, "GroupBox3", "Lines per Inch", {16, 94, 137, 43},
          "Font Size|Select 8 pt or 10 pt");
    radio(ck6lpi, "ck6lpi", "6 lpi", GroupBox3, {8, 16, 65, 20}, false);
    radio(ck8lpi, "ck8lpi", "8 lpi", GroupBox3, {72, 16, 57, 20}, true);
    group(GroupBox4, "GroupBox4", "Char Set", {168, 94, 137, 43}, "Font Size|Select 8 pt or 10 pt");
    radio(ckibm, "ckibm", "IBM", GroupBox4, {8, 16, 57, 20}, true);
    radio(cknoibm, "cknoibm", "No IBM", GroupBox4, {64, 16, 57, 20}, false);

    for (QCheckBox* box : {ckCompressed, ckLandscape, ckHeaders, ckLineNumbers})
        connect(box, &QCheckBox::toggled, this, [this] { PageSettings(); });
    connect(ckPrintBars, &QCheckBox::toggled, this, [this] { ckPrintBarsClick(); });
    connect(spinBarHeight, &BarHeightSpinBox::Changed, this, [this] { PageSettings(); });
}

void TfrmMain::CreateStatusBars() {
    statMainInfo = new QStatusBar(this);
    statMainInfo->setObjectName("statMainInfo");
    statMainInfo->setSizeGripEnabled(false);
    statMainInfo->setFixedHeight(16);
    statMainInfoMessage = new QLabel(statMainInfo);
    statMainInfoMessage->setObjectName("statMainInfoMessage");
    statMainInfoMessage->setAlignment(Qt::AlignCenter);
    SetTextColor(statMainInfoMessage, kPurple);
    statMainInfoMessage2 = new QLabel(statMainInfo);
    statMainInfoMessage2->setObjectName("statMainInfoMessage2");
    statMainInfoMessage2->setAlignment(Qt::AlignCenter);
    SetTextColor(statMainInfoMessage2, Qt::red);
    statMainInfo->addWidget(statMainInfoMessage);
    statMainInfo->addPermanentWidget(statMainInfoMessage2);

    statMain = new QStatusBar(this);
    statMain->setObjectName("statMain");
    statMain->setSizeGripEnabled(true);
    statMain->setFixedHeight(18);
    auto* hint = new ElidedLabel(statMain);
    hint->OnClick = [this] { statMainVariableClick(); };
    statMainHint = hint;
    statMainHint->setObjectName("statMainHint");
    InfoSource info = services_.info;
    info.comments = [this] { return dlgAbout.Description.toStdString(); };
    if (!info.clock)
        info.clock = services_.clock;
    statMainVariable = new TLMDInfoLabel(info, statMain);
    statMainVariable->setObjectName("statMainVariable");
    statMainVariable->SetInfo(TLMDInfoType::itUser);
    statMainVariable->SetDateTimeFormat("M/d/yyyy");
    HintTracker::SetHint(statMainVariable,
                         "Click for Information|Click this label for additional information");
    connect(statMainVariable, &TLMDInfoLabel::Clicked, this, [this] { statMainVariableClick(); });
    statMainDateTime = new TLMDInfoLabel(info, statMain);
    statMainDateTime->setObjectName("statMainDateTime");
    statMainDateTime->SetUseStandardCaption(false);
    statMainDateTime->SetInsertTabs(0);
    statMainDateTime->SetDateTimeFormat(" dddd mmmm d, yyyy h:mm am/pm ");
    statMainDateTime->SetInfo(TLMDInfoType::itCurrentDateTime);
    statMain->addWidget(statMainHint, 1);
    statMain->addPermanentWidget(statMainVariable);
    statMain->addPermanentWidget(statMainDateTime);
    setStatusBar(statMain);
}

void TfrmMain::LoadPrinterDefinition() {
    PrinterDefinition = new TPrinterDefinition(this, *services_.printer);
    PrinterDefinition->setParent(pnlBottom);
    PrinterDefinition->setObjectName("PrinterDefinition");
    PrinterDefinition->setGeometry(16, 10, 289, 21);
    HintTracker::SetHint(PrinterDefinition, "Select Printer|Select printer for output");
    PrinterDefinition->OnError = [this](const std::string& message) {
        services_.showError(QString::fromStdString(message));
    };
    PrinterSelector& selector = PrinterDefinition->Selector();
    selector.OnPrinterChange = [this](void*) { PrinterDefinitionPrinterChange(); };
    // The values the window keeps for the selector, then the end of loading.
    StoredSelectorSettings stored;
    stored.printerName = "HP LaserJet 4050 Series PCL 6";
    stored.binSource = "Automatically Select";
    Guarded([&] { LoadStoredSettings(selector, stored); });
    setTabOrder(GroupBox1, PrinterDefinition);
    setTabOrder(PrinterDefinition, GroupBox2);
    setTabOrder(GroupBox2, ckLandscape);
    setTabOrder(ckLandscape, ckHeaders);
    setTabOrder(ckHeaders, ckLineNumbers);
    setTabOrder(ckLineNumbers, ckPrintBars);
    setTabOrder(ckPrintBars, spinBarHeight);
    setTabOrder(spinBarHeight, GroupBox3);
    setTabOrder(GroupBox3, GroupBox4);
}

} // namespace zl
