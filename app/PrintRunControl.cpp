#include "app/PrintRunControl.h"

#include "app/FileListBox.h"
#include "app/HintTracker.h"
#include "app/MainWindow.h"
#include "app/PrinterComboBox.h"
#include "engine/ListingText.h"
#include "printer/FailureWords.h"
#include "printer/ListingRun.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>

#include <algorithm>
#include <climits>

namespace zl {

namespace {

constexpr int kProgressSteps = 1000;
constexpr int kProgressRefreshMs = 100;

QString Counted(int count, const char* one, const char* many) {
    return QString::number(count) + " " + (count == 1 ? one : many);
}

// "Printed 3 files, 41 pages, on laser", and what did not print exactly:
// "; 2 characters could not be printed (shown as ?)".
QString PrintedText(const PrintRunOutcome& outcome) {
    QString text = "Printed " + Counted(outcome.files, "file", "files") + ", " +
                   Counted(outcome.pages, "page", "pages") + ", on " +
                   QString::fromStdString(outcome.printer);
    for (const std::string& phrase : CountPhrases(outcome.counts, outcome.encoding))
        text += "; " + QString::fromStdString(phrase);
    return text;
}

// After a run of several files that failed: "2 of 5 files printed on laser;
// not printed: c.txt and 2 more".
QString StoppedRunText(const PrintRunOutcome& outcome) {
    if (outcome.asked < 2)
        return {};
    // The run stops at the listing that failed, the first not printed.
    const auto listed = static_cast<std::size_t>(outcome.files);
    return QString::fromStdString(StoppedRunWords(listed, static_cast<std::size_t>(outcome.asked),
                                                  listed, "on " + outcome.printer,
                                                  FileNamePart(outcome.failedPath)));
}

// "Cannot print notes.txt: the file does not exist."
} // namespace

PrintRunControl::PrintRunControl(MainWindow& window, const MainWindowServices& services)
    : window_(window), services_(services) {
    QStatusBar& bar = *window.infoStatusBar;
    window.printProgress = new QProgressBar(&bar);
    window.printProgress->setObjectName("printProgress");
    window.printProgress->setTextVisible(false);
    window.printProgress->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    window.printProgress->setFixedWidth(window.fontMetrics().averageCharWidth() * 16);
    window.cancelPrintButton = new QToolButton(&bar);
    window.cancelPrintButton->setObjectName("cancelPrintButton");
    window.cancelPrintButton->setText("Cancel");
    window.cancelPrintButton->setAutoRaise(false); // framed: it reads as a button
    window.cancelPrintButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    // A shortcut of the window, live only while the button shows.
    window.cancelPrintButton->setShortcut(QKeySequence(Qt::Key_Escape));
    HintTracker::SetHint(window.cancelPrintButton,
                         "Cancel|Stop printing: nothing of the file being printed prints, nor "
                         "any file after it (Esc)");
    for (QWidget* widget : {static_cast<QWidget*>(window.printProgress),
                            static_cast<QWidget*>(window.cancelPrintButton)}) {
        bar.addPermanentWidget(widget);
        widget->hide();
    }
    connect(window.cancelPrintButton, &QToolButton::clicked, this, &PrintRunControl::Cancel);
    progressTimer_.setInterval(kProgressRefreshMs);
    connect(&progressTimer_, &QTimer::timeout, this, &PrintRunControl::ShowProgress);
    window.installEventFilter(this);
}

PrintRunControl::~PrintRunControl() {
    run_.reset(); // cancels and waits
}

void PrintRunControl::Start(const ListingOptions& options, std::int32_t printerIndex) {
    if (run_)
        return;
    const FileListBox& list = *window_.fileList;
    if (list.Count() == 0) {
        services_.showMessage(kNoFilesMessage);
        return;
    }
    PrintRunOrder order{services_.spooler,
                        services_.printer,
                        services_.clock,
                        services_.names,
                        options,
                        printerIndex,
                        {}};
    for (int i = 0; i < list.Count(); ++i)
        order.entries.emplace_back(list.Text(i).toStdString(), list.Checked(i));
    Run(std::move(order));
}

void PrintRunControl::StartFile(const std::string& path, const ListingOptions& options,
                                std::int32_t printerIndex) {
    if (run_)
        return;
    Run({services_.spooler,
         services_.printer,
         services_.clock,
         services_.names,
         options,
         printerIndex,
         {{path, true}}});
}

void PrintRunControl::Run(PrintRunOrder order) {
    DisableControls();
    window_.ShowRunStatus("", true);
    window_.printProgress->setRange(0, kProgressSteps);
    window_.printProgress->setValue(0);
    window_.printProgress->show();
    window_.cancelPrintButton->setEnabled(true);
    window_.cancelPrintButton->show();
    run_ = std::make_unique<BackgroundPrintRun>(std::move(order));
    connect(run_.get(), &BackgroundPrintRun::FileStarted, this, [this](const QString& status) {
        window_.ShowRunStatus(status, true);
        window_.printProgress->setRange(0, kProgressSteps);
        window_.printProgress->setValue(0); // until the refresh knows the file
    });
    connect(run_.get(), &BackgroundPrintRun::QueueFull, this, [this] {
        window_.ShowRunStatus(tr("The print server's queue is full; waiting"), true);
    });
    // Queued, so that the run is not deleted while it sends; a run that
    // ended already when its call arrives (closing the window) is not ended again.
    connect(
        run_.get(), &BackgroundPrintRun::Ended, this,
        [this, run = run_.get()] {
            if (run_.get() == run)
                End();
        },
        Qt::QueuedConnection);
    progressTimer_.start();
}

void PrintRunControl::Cancel() {
    if (!run_)
        return;
    run_->Cancel();
    window_.cancelPrintButton->setEnabled(false);
}

// The controls that would change the run; the printer list's spooler is the
// run's until it ends.
void PrintRunControl::DisableControls() {
    widgetsEnabled_.clear();
    actionsEnabled_.clear();
    for (QWidget* widget : {static_cast<QWidget*>(window_.fileList), window_.optionsPanel}) {
        widgetsEnabled_.emplace_back(widget, widget->isEnabled());
        widget->setEnabled(false);
    }
    for (QAction* action : {window_.printAction, window_.previewAction, window_.deleteEntryAction,
                            window_.clearListAction}) {
        actionsEnabled_.emplace_back(action, action->isEnabled());
        action->setEnabled(false);
    }
    window_.printerComboBox->SetSpoolerPaused(true);
}

// Each control as it was; a control disabled by a rule of its own (the bar
// height without bars) stays disabled as the rule says.
void PrintRunControl::RestoreControls() {
    for (const auto& [widget, enabled] : widgetsEnabled_) {
        if (widget)
            widget->setEnabled(enabled);
    }
    for (const auto& [action, enabled] : actionsEnabled_) {
        if (action)
            action->setEnabled(enabled);
    }
    window_.printerComboBox->SetSpoolerPaused(false);
}

// The share of the file read so far; a busy bar while its size is unknown.
void PrintRunControl::ShowProgress() {
    if (!run_)
        return;
    const std::int64_t size = run_->FileSize();
    QProgressBar& bar = *window_.printProgress;
    if (size < 0) {
        bar.setRange(0, 0);
        return;
    }
    bar.setRange(0, kProgressSteps);
    const std::int64_t read = std::min(run_->BytesRead(), size);
    bar.setValue(size == 0 ? kProgressSteps : static_cast<int>(read * kProgressSteps / size));
}

void PrintRunControl::End() {
    if (!run_)
        return;
    std::unique_ptr<BackgroundPrintRun> run = std::move(run_);
    run->Wait();
    progressTimer_.stop();
    window_.printProgress->hide();
    window_.cancelPrintButton->hide();
    RestoreControls();
    const PrintRunOutcome outcome = run->Outcome();
    run.reset();
    QString status;
    switch (outcome.end) {
    case PrintRunOutcome::End::Printed:
        if (outcome.files > 0)
            status = PrintedText(outcome);
        break;
    case PrintRunOutcome::End::Cancelled:
        status = "Cancelled";
        break;
    case PrintRunOutcome::End::Failed:
        status = StoppedRunText(outcome);
        break;
    case PrintRunOutcome::End::Interrupted: // the program ends, no box to answer
        break;
    }
    // What printed reads as the window's other texts; a failure stays red.
    window_.ShowRunStatus(status, outcome.end == PrintRunOutcome::End::Failed);
    for (const std::string& message : outcome.messages)
        services_.showMessage(QString::fromStdString(message));
    if (outcome.end == PrintRunOutcome::End::Failed) {
        const QString details = QString::fromStdString(outcome.failure);
        if (services_.showFailure)
            services_.showFailure(QString::fromStdString(FailureSentence(
                                      "print", outcome.failedPath, outcome.plainCause)),
                                  details);
        else
            services_.showError(details);
    }
    emit Finished();
}

bool PrintRunControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_ || event->type() != QEvent::Close || !run_)
        return false;
    if (services_.askYesNo && !services_.askYesNo(kExitQuestion)) {
        event->ignore();
        return true; // the window stays, and so does the run
    }
    Cancel();
    End();
    return false;
}

} // namespace zl
