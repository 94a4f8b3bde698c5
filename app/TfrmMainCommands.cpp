// What the main window does: its commands, its creation and activation, the
// page settings and the options the listings read.
#include "app/TfrmMain.h"

#include "app/BarHeightSpinBox.h"
#include "app/BuildStamp.h"
#include "app/TPrinterDefinition.h"
#include "app/TProCheckListBox.h"
#include "app/VersionInfo.h"
#include "engine/ListingText.h"
#include "engine/PrintRun.h"
#include "platform/Exception.h"
#include "platform/Interruption.h"
#include "platform/SystemSpooler.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>

namespace zl {

namespace {

// The file list as the print run walks it.
class ListView : public FileListView {
public:
    explicit ListView(const TProCheckListBox& list) : list_(list) {}
    int Count() const override { return list_.Count(); }
    bool Ticked(int index) const override { return list_.Checked(index); }
    std::string Text(int index) const override { return list_.Text(index).toStdString(); }

private:
    const TProCheckListBox& list_;
};

class WindowPrintRun : public PrintRunHost {
public:
    explicit WindowPrintRun(std::function<void(const QString&)> message, QLabel& status,
                            std::function<void(const std::string&)> print)
        : message_(std::move(message)), status_(status), print_(std::move(print)) {}
    void ShowMessage(const std::string& text) override { message_(QString::fromStdString(text)); }
    void SetStatus(const std::string& text) override {
        status_.setText(QString::fromStdString(text));
        status_.repaint(); // shown while the listing is written
    }
    void PrintListing(const std::string& path) override { print_(path); }

private:
    std::function<void(const QString&)> message_;
    QLabel& status_;
    std::function<void(const std::string&)> print_;
};

} // namespace

bool TfrmMain::Landscape() const {
    return ckLandscape->isChecked();
}
bool TfrmMain::LinePrinter() const {
    return ckLinePrinter->isChecked();
}
bool TfrmMain::NoIbm() const {
    return cknoibm->isChecked();
}
bool TfrmMain::Compressed() const {
    return ckCompressed->isChecked();
}
int TfrmMain::BarHeight() const {
    return spinBarHeight->Value();
}
bool TfrmMain::PrintBars() const {
    return ckPrintBars->isChecked();
}

void TfrmMain::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const Interrupted&) {
        // A stop signal cancelled the job; the program ends, no box to answer.
    } catch (const std::exception& e) {
        services_.showError(QString::fromStdString(e.what()));
    }
}

void TfrmMain::PageSettings() {
    if (CourierForced(ckCompressed->isChecked()))
        ckCourier->setChecked(true); // runs the settings again, nested
    ApplyPageSettings({ckCompressed->isChecked(), ckLandscape->isChecked(), ck6lpi->isChecked()},
                      geometry_);
}

void TfrmMain::ckPrintBarsClick() {
    spinBarHeight->setEnabled(ckPrintBars->isChecked());
}

void TfrmMain::PrinterDefinitionPrinterChange() {
    selectedPrinterIndex_ = PrinterDefinition->Selector().ItemIndex();
    Guarded([this] {
        statMainInfoMessage->setText(
            QString::fromStdString("  Printing on " + PrinterDefinition->Selector().PrinterName() +
                                   " printer #" + std::to_string(selectedPrinterIndex_)));
    });
}

void TfrmMain::ShowLongHint(const QString& longHint) {
    statMainHint->setText(longHint);
}

void TfrmMain::FormCreate() {
    Guarded([this] {
        const VersionInfo version(services_.executablePath);
        buildStamp_ = QString::fromStdString(
            BuildStampText(version.FileVersion(), FileModificationTime(services_.executablePath),
                           services_.names));
        statMainInfoMessage->setText(buildStamp_);
        statMainInfoMessage2->setText("");
        dlgAbout.CaptionTitle = buildStamp_;
        dlgAbout.Appname = QString::fromStdString(version.Field("ProductName"));
        dlgAbout.Copyright = QString::fromStdString(version.Field("LegalCopyright"));
        dlgAbout.Description = QString::fromStdString(version.Field("Comments"));
        dlgAbout.Version = QString::fromStdString(version.FileVersion());
        dlgAbout.EMail = "zellist@example.org";
        dlgAbout.Jump = "https://example.org/zellist/";
        dlgAbout.OnCustomClick = [this](QWidget* box) { dlgAboutCustomClick(box); };
        dlgAbout.OpenLink = services_.openUrl;
        dlgAbout.Run = services_.runDialog;
        connect(&hints_, &HintTracker::HintChanged, this, &TfrmMain::ShowLongHint);
        qApp->installEventFilter(&hints_);
    });
}

void TfrmMain::FormActivate() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        // Each activation asks the print system afresh, once: the look-ups
        // below are answered from what this refresh learns.
        if (services_.spooler)
            services_.spooler->RefreshLookups();
        PrinterSelector& selector = PrinterDefinition->Selector();
        selector.SetUseWinDefaults({TUseWinDefs::DefaultPrinter});
        selector.SetUseWinDefaults({});
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

bool TfrmMain::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

void TfrmMain::ConfigureOpenDialog(QFileDialog& dialog) {
    dialog.setWindowTitle("Process with ZelList...");
    dialog.setNameFilters({"Text files (*.txt) (*.TXT)", "Pascal files (*.pas, *dpr) (*.PAS *.DPR)",
                           "Basic Files (*.BAS) (*.BAS)",
                           "Configuration Files (*.ini, *.conf) (*.INI *.CONF)",
                           "Batch Files (*.bat) (*.BAT)", "Any File (*.*) (*.*)"});
    dialog.selectNameFilter("Text files (*.txt) (*.TXT)");
    dialog.setDefaultSuffix("TXT");
    dialog.setDirectory(QDir::currentPath());
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setSizeGripEnabled(true);
}

void TfrmMain::actOpenExecute() {
    QFileDialog dialog(this);
    ConfigureOpenDialog(dialog);
    const QStringList names = services_.runOpenDialog(dialog);
    if (names.isEmpty())
        return;
    // The process follows the folder the user browsed to.
    QDir::setCurrent(dialog.directory().absolutePath());
    actOpenAccept(names);
}

void TfrmMain::actOpenAccept(const QStringList& names) {
    for (const QString& name : names) {
        listFiles->Append(name);
        listFiles->SetChecked(listFiles->Count() - 1, true);
    }
}

void TfrmMain::LMDFMDropFMDragDrop(TLMDFMDrop*, int, int, int, const QStringList& fileList) {
    actOpenAccept(fileList);
}

void TfrmMain::actDelEntryExecute() {
    const int row = listFiles->ItemIndex();
    if (row >= 0)
        listFiles->Delete(row);
}

void TfrmMain::actClearListExecute() {
    listFiles->Reset();
}

void TfrmMain::actAboutExecute() {
    dlgAbout.CaptionTitle = buildStamp_;
    dlgAbout.Execute(this);
}

void TfrmMain::dlgAboutCustomClick(QWidget*) {
    services_.showMessage(kAboutHelpText);
}

void TfrmMain::statMainVariableClick() {
    statMainVariable->hide();
    const TLMDInfoType next = NextInfoKind(statMainVariable->Info());
    statMainVariable->SetInfo(next);
    statMainVariable->SetUseStandardCaption(next != TLMDInfoType::itProgComments);
    statMainVariable->show();
}

void TfrmMain::actPrintExecute() {
    ListView list(*listFiles);
    WindowPrintRun host(services_.showMessage, *statMainInfoMessage2, [this](const std::string& p) {
        composer_->ZelListProcess(p, selectedPrinterIndex_);
    });
    Guarded([&] { RunPrint(list, host); });
}

MainWindowServices ProgramServices(const std::string& executablePath) {
    MainWindowServices services;
    services.spooler = &ProcessSpooler();
    services.printer = &Printer();
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
    services.runOpenDialog = [](QFileDialog& dialog) {
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
    };
    services.info = InfoSource::System(nullptr);
    return services;
}

} // namespace zl
