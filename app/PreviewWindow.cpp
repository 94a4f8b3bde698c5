#include "app/PreviewWindow.h"

#include "app/PreviewPagesView.h"
#include "cli/PdfFile.h"
#include "engine/FileInputSource.h"

#include <QAction>
#include <QActionGroup>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zl {

namespace {

// The paper in dots as the listing turns it.
QSizeF TurnedPaper(const render::ListingSource& source) {
    const QSizeF paper(source.paper.width, source.paper.height);
    return source.options.landscape ? paper.transposed() : paper;
}

// An action shown by `widget`: a button of a tool bar, else of the dialog.
QAction* AddAction(QWidget& widget, const char* name, const QString& text, const QKeySequence& key,
                   const QString& tip) {
    auto* action = new QAction(text, &widget);
    widget.addAction(action);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setToolTip(tip + (key.isEmpty() ? QString() : " (" + key.toString() + ")"));
    return action;
}

} // namespace

PreviewWindow::PreviewWindow(PreviewSetup setup, QWidget* parent)
    : QDialog(parent), setup_(std::move(setup)),
      loader_(std::make_unique<PreviewPageLoader>(setup_.source)) {
    setObjectName("previewWindow");
    setWindowTitle("Preview: " + setup_.fileName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint); // any size the user gives it
    toolBar = new QToolBar(this);
    layout->addWidget(toolBar);
    pages = new PreviewPagesView(*loader_, TurnedPaper(setup_.source), this);
    layout->addWidget(pages, 1);
    // The status line, then the commands that print or save.
    commands_ = new QHBoxLayout;
    commands_->setContentsMargins(6, 4, 6, 4);
    statusLabel = new QLabel(this);
    statusLabel->setObjectName("statusLabel");
    statusLabel->setMinimumWidth(0);
    statusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    cancelTaskButton = new QToolButton(this);
    cancelTaskButton->setObjectName("cancelTaskButton");
    cancelTaskButton->setText("Cancel");
    cancelTaskButton->hide();
    commands_->addWidget(statusLabel, 1);
    commands_->addWidget(cancelTaskButton);
    layout->addLayout(commands_);
    CreateActions();
    connect(loader_.get(), &PreviewPageLoader::Changed, this, &PreviewWindow::ShowCount);
    connect(pages, &PreviewPagesView::CurrentPageChanged, this, &PreviewWindow::ShowCurrentPage);
    connect(cancelTaskButton, &QToolButton::clicked, this, [this] {
        if (task_)
            task_->Cancel();
    });
    // A page's width and most of its height, within the screen's free area.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableSize() * 9 / 10 : QSize(900, 1000);
    resize(std::min(room.width(), 900), std::min(room.height(), 1000));
    pages->setFocus();
    ShowCount();
    ShowCurrentPage();
}

PreviewWindow::~PreviewWindow() {
    task_.reset(); // cancels and waits
    loader_->Stop();
}

void PreviewWindow::CreateActions() {
    QToolBar& bar = *toolBar;
    firstAction = AddAction(bar, "firstAction", "First", Qt::Key_Home, "First page");
    previousAction = AddAction(bar, "previousAction", "Previous", Qt::Key_PageUp, "Previous page");
    pageBox = new QLineEdit(this);
    pageBox->setObjectName("pageBox");
    pageBox->setValidator(new QIntValidator(1, INT_MAX, pageBox));
    pageBox->setAlignment(Qt::AlignRight);
    pageBox->setMaximumWidth(fontMetrics().horizontalAdvance("0000000") + 12);
    pageBox->setToolTip("The page shown: type a page number and press Enter");
    bar.addWidget(pageBox);
    pageCountLabel = new QLabel(this);
    pageCountLabel->setObjectName("pageCountLabel");
    bar.addWidget(pageCountLabel);
    nextAction = AddAction(bar, "nextAction", "Next", Qt::Key_PageDown, "Next page");
    lastAction = AddAction(bar, "lastAction", "Last", Qt::Key_End, "Last page");
    bar.addSeparator();
    zoomOutAction = AddAction(bar, "zoomOutAction", "Zoom Out", QKeySequence::ZoomOut,
                              "Smaller (also Ctrl+wheel)");
    zoomInAction =
        AddAction(bar, "zoomInAction", "Zoom In", QKeySequence::ZoomIn, "Larger (also Ctrl+wheel)");
    fitWidthAction =
        AddAction(bar, "fitWidthAction", "Fit Width", {}, "The page's width fills the view");
    fitPageAction = AddAction(bar, "fitPageAction", "Fit Page", {}, "A whole page in view");
    twoPagesAction = AddAction(bar, "twoPagesAction", "Two Pages", {}, "Two pages side by side");
    twoPagesAction->setCheckable(true);
    printAction = AddAction(*this, "printAction", "Print…", QKeySequence::Print,
                            "Print the listing raw on the window's printer, as Print does");
    driverPrintAction = AddAction(*this, "driverPrintAction", "Print through driver…", {},
                                  "Print the pages drawn, through the system's printer driver");
    savePdfAction = AddAction(*this, "savePdfAction", "Save as PDF…", QKeySequence::Save,
                              "Save the pages as a PDF file");
    for (QAction* action : {printAction, driverPrintAction, savePdfAction}) {
        auto* button = new QToolButton(this);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        commands_->addWidget(button);
    }

    connect(firstAction, &QAction::triggered, this, [this] { pages->GoToPage(1); });
    connect(previousAction, &QAction::triggered, this,
            [this] { pages->GoToPage(pages->CurrentPage() - (pages->TwoPages() ? 2 : 1)); });
    connect(nextAction, &QAction::triggered, this,
            [this] { pages->GoToPage(pages->CurrentPage() + (pages->TwoPages() ? 2 : 1)); });
    connect(lastAction, &QAction::triggered, this, [this] { pages->GoToPage(pages->PageCount()); });
    connect(zoomInAction, &QAction::triggered, pages, &PreviewPagesView::ZoomIn);
    connect(zoomOutAction, &QAction::triggered, pages, &PreviewPagesView::ZoomOut);
    connect(fitWidthAction, &QAction::triggered, this,
            [this] { pages->SetFit(PreviewPagesView::Fit::Width); });
    connect(fitPageAction, &QAction::triggered, this,
            [this] { pages->SetFit(PreviewPagesView::Fit::Page); });
    connect(twoPagesAction, &QAction::toggled, pages, &PreviewPagesView::SetTwoPages);
    connect(pageBox, &QLineEdit::returnPressed, this, &PreviewWindow::PageTyped);
    connect(printAction, &QAction::triggered, this, &PreviewWindow::Print);
    connect(driverPrintAction, &QAction::triggered, this, &PreviewWindow::PrintThroughDriver);
    connect(savePdfAction, &QAction::triggered, this, &PreviewWindow::SaveAsPdf);
}

// "of 1234" while counting grows, "of 5734" once known; a failure of the
// listing is said in the status line.
void PreviewWindow::ShowCount() {
    const std::int32_t counted = std::max(1, loader_->PagesCounted());
    pages->SetPageCount(counted);
    const bool complete = loader_->CountComplete();
    pageCountLabel->setText(" of " + QString::number(counted) + (complete ? " " : "… "));
    const QString failure = loader_->Failure();
    if (!failure.isEmpty())
        statusLabel->setText("Cannot preview " + setup_.fileName + ": " + failure);
    else if (!task_)
        statusLabel->setText(complete ? QString() : "Counting pages…");
}

void PreviewWindow::ShowCurrentPage() {
    if (!pageBox->hasFocus())
        pageBox->setText(QString::number(pages->CurrentPage()));
}

void PreviewWindow::PageTyped() {
    pages->GoToPage(pageBox->text().toInt());
    pageBox->setText(QString::number(pages->CurrentPage()));
    pages->setFocus();
}

std::optional<PageSelection> PreviewWindow::ChoosePages(const QString& title) {
    QDialog dialog(this);
    dialog.setObjectName("pageChoiceDialog");
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* all = new QRadioButton("&All pages", &dialog);
    all->setObjectName("allPagesRadio");
    const std::int32_t current = pages->CurrentPage();
    auto* one = new QRadioButton("&Current page (" + QString::number(current) + ")", &dialog);
    one->setObjectName("currentPageRadio");
    auto* range = new QRadioButton("&Pages:", &dialog);
    range->setObjectName("pageRangeRadio");
    auto* rangeEdit = new QLineEdit(&dialog);
    rangeEdit->setObjectName("pageRangeEdit");
    rangeEdit->setPlaceholderText("3-5,9 or 7-");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    all->setChecked(true);
    for (QWidget* widget :
         {static_cast<QWidget*>(all), static_cast<QWidget*>(one), static_cast<QWidget*>(range),
          static_cast<QWidget*>(rangeEdit), static_cast<QWidget*>(buttons)})
        layout->addWidget(widget);
    const auto check = [=] {
        buttons->button(QDialogButtonBox::Ok)
            ->setEnabled(!range->isChecked() ||
                         PageSelection::Parse(rangeEdit->text().toStdString()).has_value());
    };
    connect(range, &QRadioButton::toggled, &dialog, check);
    connect(rangeEdit, &QLineEdit::textChanged, &dialog, [=] {
        range->setChecked(true);
        check();
    });
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (runDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    if (one->isChecked())
        return PageSelection::Parse(std::to_string(current));
    if (range->isChecked())
        return PageSelection::Parse(rangeEdit->text().toStdString());
    return PageSelection();
}

void PreviewWindow::Print() {
    std::optional<PageSelection> chosen = ChoosePages("Print");
    if (!chosen)
        return;
    printRequest_ = std::move(chosen);
    accept();
}

void PreviewWindow::PrintThroughDriver() {
    const std::optional<PageSelection> chosen = ChoosePages("Print through driver");
    if (!chosen)
        return;
    const QPageLayout layout =
        render::LayoutOf(setup_.source.paper, setup_.source.options.landscape);
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setFullPage(true);
    if (!setup_.driverPrinter.isEmpty())
        printer->setPrinterName(setup_.driverPrinter);
    printer->setPageLayout(layout);
    printer->setDocName(setup_.fileName);
    QPrintDialog dialog(printer.get(), this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    printer->setPageLayout(layout); // the listing's own, whatever the queue's defaults
    render::ListingSource source = setup_.source;
    source.options.pages = *chosen;
    RunTask(
        "Printing " + setup_.fileName + " on " + printer->printerName() + "…",
        "Cannot print " + setup_.fileName + " on " + printer->printerName(),
        [printer, source](const CancelSignal& cancel) mutable {
            source.openInput = FileInputSource::CancellableOpener(cancel);
            try {
                render::PaintListing(source, *printer);
            } catch (...) {
                printer->abort();
                throw;
            }
            if (printer->printerState() == QPrinter::Error ||
                printer->printerState() == QPrinter::Aborted)
                throw std::runtime_error("the printer did not take the listing");
        },
        [this, name = printer->printerName()] {
            statusLabel->setText("Printed " + setup_.fileName + " on " + name);
        });
}

void PreviewWindow::SaveAsPdf() {
    const std::optional<PageSelection> chosen = ChoosePages("Save as PDF");
    if (!chosen)
        return;
    const QFileInfo file(QString::fromStdString(setup_.source.textFile));
    QFileDialog dialog(this, "Save as PDF", file.absolutePath(), "PDF files (*.pdf)");
    dialog.setObjectName("savePdfDialog");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("pdf");
    dialog.selectFile(file.completeBaseName() + ".pdf");
    if (runDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString pdf = dialog.selectedFiles().first();
    render::ListingSource source = setup_.source;
    source.options.pages = *chosen;
    auto pagesSaved = std::make_shared<int>(0);
    RunTask(
        "Saving " + QFileInfo(pdf).fileName() + "…", "Cannot save " + QFileInfo(pdf).fileName(),
        [source, pdf, pagesSaved](const CancelSignal& cancel) mutable {
            source.openInput = FileInputSource::CancellableOpener(cancel);
            *pagesSaved = cli::WritePdfFile(pdf.toStdString(), source);
        },
        [this, pdf, pagesSaved] {
            statusLabel->setText("Saved " + QString::number(*pagesSaved) +
                                 (*pagesSaved == 1 ? " page" : " pages") + " into " + pdf);
        });
}

void PreviewWindow::RunTask(const QString& status, const QString& cannot, BackgroundTask::Work work,
                            std::function<void()> done) {
    if (task_)
        return;
    for (QAction* action : {printAction, driverPrintAction, savePdfAction})
        action->setEnabled(false);
    statusLabel->setText(status);
    cancelTaskButton->show();
    taskDone_ = std::move(done);
    taskCannot_ = cannot;
    task_ = std::make_unique<BackgroundTask>(std::move(work));
    connect(task_.get(), &BackgroundTask::Ended, this, &PreviewWindow::TaskEnded,
            Qt::QueuedConnection);
}

void PreviewWindow::TaskEnded() {
    const std::unique_ptr<BackgroundTask> task = std::move(task_);
    cancelTaskButton->hide();
    for (QAction* action : {printAction, driverPrintAction, savePdfAction})
        action->setEnabled(true);
    if (task->Cancelled())
        statusLabel->setText("Cancelled");
    else if (!task->Failure().isEmpty())
        statusLabel->setText(taskCannot_ + ": " + task->Failure());
    else if (taskDone_)
        taskDone_();
}

// Escape cancels the saving or printing under way before it closes the
// preview.
void PreviewWindow::reject() {
    if (task_ && !task_->Cancelled()) {
        task_->Cancel();
        return;
    }
    QDialog::reject();
}

} // namespace zl
