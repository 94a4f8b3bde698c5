// What the main window does: its commands, its creation and activation, the
// page settings and the options the listings read.
#include "app/MainWindow.h"

#include "app/BarHeightSpinBox.h"
#include "app/BuildStamp.h"
#include "app/FileListBox.h"
#include "app/PrintRunControl.h"
#include "app/PrinterComboBox.h"
#include "app/PrinterRequestControls.h"
#include "app/VersionInfo.h"
#include "app/WindowPlacement.h"
#include "engine/ListingText.h"
#include "platform/Exception.h"
#include "platform/Interruption.h"
#include "printer/PagePaper.h"
#include "printing/SystemPrintService.h"

#include "app/PreviewWindow.h"
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>

namespace zl {

namespace {

// The names typed into the open dialog: one, or several each in quotes.
QStringList TypedNames(const QString& text) {
    if (!text.contains('"'))
        return {text};
    QStringList names;
    const QStringList parts = text.split('"');
    for (int i = 1; i < parts.size(); i += 2)
        names << parts[i];
    return names;
}

// The extension the open dialog appends to the typed names: none while each
// has one or names a file as typed; else "txt", or "TXT" where only NAME.TXT
// exists (the first such name decides for all).
QString DefaultExtension(const QDir& folder, const QString& typed) {
    for (const QString& name : TypedNames(typed)) {
        const QString path = folder.absoluteFilePath(name);
        if (QFileInfo(path).fileName().contains('.') || QFileInfo::exists(path))
            continue;
        const bool onlyUpper =
            !QFileInfo::exists(path + ".txt") && QFileInfo::exists(path + ".TXT");
        return onlyUpper ? "TXT" : "txt";
    }
    return QString();
}

} // namespace

ListingOptions MainWindow::Options() const {
    ListingOptions options;
    options.landscape = landscapeCheck->isChecked();
    options.linePrinter = linePrinterRadio->isChecked();
    options.roman8 = roman8CharsetRadio->isChecked();
    options.compressed = compressedCheck->isChecked();
    options.sixLpi = sixLpiRadio->isChecked();
    options.barHeight = barHeightSpin->Value();
    options.printBars = printBarsCheck->isChecked();
    options.emphasis = emphasisCheck->isChecked() ? "auto" : "none";
    options.requests = RequestsOf(*this);
    // The page is laid out for the paper the printer takes by default.
    try {
        if (const PrinterDevice* device = services_.printer->Device())
            options.pagePaper = DefaultPaperOf(device->capabilities);
    } catch (const std::exception&) {
        // No printer to ask: Letter's widths.
    }
    return options;
}

void MainWindow::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const Interrupted&) {
        // A stop signal cancelled the job; the program ends, no box to answer.
    } catch (const std::exception& e) {
        services_.showError(QString::fromStdString(e.what()));
    }
}

void MainWindow::PageSettings() {
    if (CourierForced(compressedCheck->isChecked()))
        courierRadio->setChecked(true); // runs the settings again, nested
    geometry_ = GeometryFor(Options());
}

void MainWindow::PrintBarsToggled() {
    barHeightSpin->setEnabled(printBarsCheck->isChecked());
}

void MainWindow::PrinterChanged() {
    selectedPrinterIndex_ = printerComboBox->Selector().ItemIndex();
    Guarded([this] {
        ListPrinterChoices(*this, services_.printer->Device());
        LayOutOptions(); // the lists grow to the printer's choices
        printerInfoLabel->setText(
            QString::fromStdString("  Printing on " + printerComboBox->Selector().PrinterName() +
                                   " printer #" + std::to_string(selectedPrinterIndex_)));
    });
}

void MainWindow::ShowLongHint(const QString& longHint) {
    hintLabel->setText(longHint);
}

void MainWindow::SetUpWindow() {
    Guarded([this] {
        const VersionInfo version(services_.executablePath);
        buildStamp_ = QString::fromStdString(
            BuildStampText(version.FileVersion(), FileModificationTime(services_.executablePath),
                           services_.names));
        printerInfoLabel->setText(buildStamp_);
        printingLabel->setText("");
        aboutDialog.captionTitle = buildStamp_;
        aboutDialog.appName = QString::fromStdString(version.Field("ProductName"));
        aboutDialog.copyright = QString::fromStdString(version.Field("LegalCopyright"));
        aboutDialog.description = QString::fromStdString(version.Field("Comments"));
        aboutDialog.version = QString::fromStdString(version.FileVersion());
        aboutDialog.email = "zellist@example.org";
        aboutDialog.homePage = "https://example.org/zellist/";
        aboutDialog.onCustomClick = [this](QWidget* box) { ShowAboutHelp(box); };
        aboutDialog.openLink = services_.openUrl;
        aboutDialog.run = services_.runDialog;
        connect(&hints_, &HintTracker::HintChanged, this, &MainWindow::ShowLongHint);
        qApp->installEventFilter(&hints_);
    });
}

void MainWindow::ActivateWindow() {
    if (Printing())
        return; // the run has the spooler until it ends: no look-ups meanwhile
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        // Each activation asks the print system afresh, once: the look-ups
        // below are answered from what this refresh learns.
        if (services_.spooler)
            services_.spooler->RefreshLookups();
        PrinterSelector& selector = printerComboBox->Selector();
        if (!printerChosen_) {
            selector.SelectDefaultPrinter();
            printerChosen_ = true;
        } else if (const std::string gone = selector.RefreshPrinters(); !gone.empty()) {
            ShowPrinterGone(gone);
        }
        lastActivationError_.clear();
    } catch (const std::exception& e) {
        // Closing the error box activates the window again: the same failure
        // is shown once, not over and over.
        if (e.what() != lastActivationError_) {
            lastActivationError_ = e.what();
            services_.showError(QString::fromStdString(e.what()));
        }
    }
    PageSettings();
    QApplication::restoreOverrideCursor();
}

void MainWindow::ChoosePrinter(const std::string& name) {
    Guarded([&] {
        if (!printerComboBox->Selector().ChoosePrinter(name))
            ShowPrinterGone(name);
    });
}

void MainWindow::ShowPrinterGone(const std::string& name) {
    ShowStatus(QString::fromStdString("'" + name +
                                      "' is no longer installed; the default printer '" +
                                      printerComboBox->Selector().PrinterName() + "' is selected"));
}

void MainWindow::ShowStatus(const QString& text) {
    // The message has the bar but for its labels on the right: a text too
    // long for that is shortened, and whole in the bar's tool tip.
    int room = hintStatusBar->contentsRect().width();
    for (QWidget* label :
         {static_cast<QWidget*>(variableInfoLabel), static_cast<QWidget*>(dateTimeLabel)})
        room -= label->isVisible() ? label->width() + fontMetrics().averageCharWidth() : 0;
    const QFontMetrics metrics = hintStatusBar->fontMetrics();
    const bool tooLong = hintStatusBar->isVisible() && metrics.horizontalAdvance(text) > room;
    hintStatusBar->setToolTip(tooLong ? text : QString());
    hintStatusBar->showMessage(tooLong ? metrics.elidedText(text, Qt::ElideRight, room) : text,
                               kStatusMessageMs);
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::FontChange)
        FitToFont();
    // Shown, the status bars may first ask for room for controls that are
    // hidden; once they no longer do, the window goes back on its screen.
    if (event->type() == QEvent::Show)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!OnAvailableScreen(*this))
                    PlaceOnScreen(*this);
            },
            Qt::QueuedConnection);
    // The printers are looked up afresh when the window is first shown and
    // whenever it becomes active again, from a window of its own or another
    // program's: a printer installed or removed meanwhile shows, and the
    // user's pick stays while it is installed.
    if (event->type() == QEvent::Show && !shown_) {
        shown_ = true;
        ActivateWindow();
        settings_->RestorePrinter(); // after the activation has chosen the default
    } else if (event->type() == QEvent::WindowActivate && shown_) {
        ActivateWindow();
    }
    return handled;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    settings_->Save();
    QMainWindow::closeEvent(event);
}

void MainWindow::ConfigureOpenDialog(QFileDialog& dialog) {
    dialog.setWindowTitle("Process with ZelList...");
    // Each filter's own description is shown, without the patterns Qt reads
    // from its last parentheses.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = {
        "Text files (*.txt) (*.TXT)", "Pascal files (*.pas, *dpr) (*.PAS *.DPR)",
        "Basic Files (*.BAS) (*.BAS)", "Configuration Files (*.ini, *.conf) (*.INI *.CONF)",
        // Any file, also one whose name has no dot (Makefile).
        "Batch Files (*.bat) (*.BAT)", "Any File (*.*) (*)"};
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.first());
    // The default extension follows the name typed into the dialog's own
    // widgets (a native dialog checks names itself). The line edit reports an
    // edit before the change on which the dialog checks the name, so the
    // check appends the extension that fits.
    if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit")) {
        QFileDialog* box = &dialog;
        const auto follow = [box, name] {
            box->setDefaultSuffix(DefaultExtension(box->directory(), name->text()));
        };
        QObject::connect(name, &QLineEdit::textEdited, box, follow);
        QObject::connect(box, &QFileDialog::directoryEntered, box, follow);
    }
    dialog.setDirectory(QDir::currentPath());
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setSizeGripEnabled(true);
}

void MainWindow::OpenFiles() {
    QFileDialog dialog(this);
    ConfigureOpenDialog(dialog);
    dialog.setDirectory(settings_->OpenFolder());
    // The type is kept as the dialog shows it, its patterns hidden.
    const QString lastType = settings_->OpenFilter();
    for (const QString& filter : dialog.nameFilters()) {
        if (!lastType.isEmpty() && filter.startsWith(lastType))
            dialog.selectNameFilter(filter);
    }
    const QStringList names = services_.runOpenDialog(dialog);
    if (names.isEmpty())
        return;
    // The process follows the folder the user browsed to.
    QDir::setCurrent(dialog.directory().absolutePath());
    settings_->SetOpenFolder(dialog.directory().absolutePath());
    settings_->SetOpenFilter(dialog.selectedNameFilter());
    AddFiles(names);
}

void MainWindow::AddFiles(const QStringList& names) {
    for (const QString& name : names) {
        if (Listed(name))
            continue; // once is enough
        fileList->Append(name);
        fileList->SetChecked(fileList->Count() - 1, true);
    }
}

bool MainWindow::Listed(const QString& name) const {
    return !fileList->findItems(name, Qt::MatchExactly).isEmpty();
}

void MainWindow::FilesDropped(FileDropTarget*, int, int, int, const QStringList& names) {
    // Named on the command line or dropped: only files that are there and
    // not yet listed join the list; the status bar says what did not.
    QStringList added, refused;
    for (const QString& name : names) {
        const QFileInfo file(name);
        const QString shown = QString::fromStdString(WithoutControlBytes(name.toStdString()));
        if (!file.exists())
            refused << shown + " (no such file)";
        else if (file.isDir())
            refused << shown + " (a folder)";
        else if (Listed(name) || added.contains(name))
            refused << shown + " (already in the list)";
        else
            added << name;
    }
    AddFiles(added);
    if (!refused.isEmpty())
        ShowStatus("Not added: " + refused.join("; "));
}

void MainWindow::DeleteEntry() {
    const int row = fileList->ItemIndex();
    if (row < 0)
        return;
    fileList->Delete(row);
    // The list would highlight the next entry, which the user never picked.
    fileList->SetItemIndex(-1);
}

void MainWindow::ClearList() {
    fileList->Reset();
}

void MainWindow::ShowAbout() {
    aboutDialog.captionTitle = buildStamp_;
    aboutDialog.Execute(this);
}

void MainWindow::ShowAboutHelp(QWidget*) {
    services_.showMessage(kAboutHelpText);
}

void MainWindow::InfoLabelClicked() {
    variableInfoLabel->hide();
    const InfoKind next = NextInfoKind(variableInfoLabel->Info());
    InfoTextStyle style = variableInfoLabel->Style();
    style.useStandardCaption = next != InfoKind::ProgramComments;
    variableInfoLabel->SetStyle(style);
    variableInfoLabel->SetInfo(next);
    variableInfoLabel->show();
}

void MainWindow::PrintTickedFiles() {
    printRun_->Start(Options(), selectedPrinterIndex_);
}

bool MainWindow::Printing() const {
    return printRun_->Running();
}

MainWindowServices ProgramServices(const std::string& executablePath) {
    MainWindowServices services;
    services.spooler = &ProcessPrintService();
    services.printer = &ProcessPrinterList();
    static const SystemClock clock;
    services.clock = &clock;
    services.names = SystemLocaleNames();
    services.executablePath = executablePath;
    services.showMessage = [](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    };
    services.showError = [](const QString& text) {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(),
                              QString::fromStdString(ShownMessage(text.toStdString())));
    };
    services.showFailure = [](const QString& text, const QString& details) {
        QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text,
                        QMessageBox::Ok, QApplication::activeWindow());
        box.setDetailedText(QString::fromStdString(ShownMessage(details.toStdString())));
        box.exec();
    };
    services.askYesNo = [](const QString& question) {
        return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(),
                                     question) == QMessageBox::Yes;
    };
    services.runOpenDialog = [](QFileDialog& dialog) {
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
    };
    services.runPreview = [](PreviewWindow& preview) { preview.exec(); };
    services.info = InfoSource::System(nullptr);
    services.openSettings = [] { return std::make_unique<QSettings>(); };
    return services;
}

} // namespace zl
