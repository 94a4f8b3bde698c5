// The Preview command: the listing of one file of the list in the preview
// window, composed and drawn exactly as it will print. Nothing goes to a
// printer unless the preview's Print, Print through driver or Save as PDF
// asks for it; its Print runs as the window's Print does.
#include "app/MainWindow.h"

#include "app/FileListBox.h"
#include "app/PreviewWindow.h"
#include "app/PrintRunControl.h"
#include "app/PrinterComboBox.h"
#include "engine/FileInputSource.h"
#include "printer/FailureWords.h"
#include "printer/ListingRun.h"
#include "render/ListingPainter.h"

#include <QFileInfo>
#include <QLabel>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QToolButton>

namespace zl {

namespace {

// The highlighted entry, else the first ticked one; -1 when there is neither.
int PreviewedEntry(const FileListBox& list) {
    const int highlighted = list.ItemIndex();
    if (highlighted >= 0)
        return highlighted;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.Checked(i))
            return i;
    }
    return -1;
}

// The paper the listing asks for; else that of the chosen printer's default
// settings, when its forms name one the renderer knows; else Letter. A raw
// job that asks for no paper is printed on the printer's default one.
render::PaperSize PreviewPaper(PaperRequest asked, PrinterList& printers,
                               const std::vector<NamedRef>& forms) {
    switch (asked) {
    case PaperRequest::Letter:
        return render::PaperSize::Letter();
    case PaperRequest::Legal:
        return render::PaperSize::Legal();
    case PaperRequest::A4:
        return render::PaperSize::A4();
    case PaperRequest::PrinterDefault:
        break;
    }
    render::PaperSize paper = render::PaperSize::Letter();
    try {
        const PrinterDevice* device = printers.Device();
        for (const NamedRef& form : forms) {
            if (device && form.ref.code == device->capabilities.defaults.paper &&
                render::PaperSize::Named(form.name, paper))
                break;
        }
    } catch (const std::exception&) {
        // No printer to ask: the preview still shows the listing, on Letter.
    }
    return paper;
}

// The chosen printer when the system's printer drivers know it; else empty.
QString DriverPrinter(PrinterSelector& selector) {
    try {
        const QString chosen = QString::fromStdString(selector.PrinterName());
        return QPrinterInfo::availablePrinterNames().contains(chosen) ? chosen : QString();
    } catch (const std::exception&) {
        return QString(); // no printer chosen: the system's default
    }
}

} // namespace

void MainWindow::PreviewListing() {
    if (preview_)
        return;
    const int entry = PreviewedEntry(*fileList);
    if (entry < 0) {
        services_.showMessage(kNoFilesMessage);
        return;
    }
    PageSettings(); // the geometry as the option controls say, activated or not
    previewOptions_ = Options();
    // Every page the preview composes is dated alike.
    previewClock_ = std::make_unique<FixedClock>(services_.clock->Now());
    const render::ListingSource source{
        fileList->Text(entry).toStdString(), previewOptions_, previewClock_.get(), &services_.names,
        PreviewPaper(previewOptions_.requests.paper, *services_.printer,
                     printerComboBox->Selector().PaperList())};
    // A file that cannot be opened gets an error box naming it, no preview.
    try {
        FileInputSource::Open(source.textFile)->Close();
    } catch (const std::exception& e) {
        services_.showFailure(
            QString::fromStdString(FailureSentence("preview", source.textFile, e)),
            QString::fromStdString(e.what()));
        return;
    }
    const QString name = QFileInfo(fileList->Text(entry)).fileName();
    preview_ = std::make_unique<PreviewWindow>(
        PreviewSetup{source, name, DriverPrinter(printerComboBox->Selector())}, this);
    connect(&preview_->Loader(), &PreviewPageLoader::Changed, this, &MainWindow::PreviewReady);
    // Until the first page is there (a file slow to arrive), the status bar
    // says so, and Cancel or Escape stops it.
    previewAction->setEnabled(false);
    printAction->setEnabled(false);
    ShowRunStatus("Preparing the preview of " + name, true);
    printProgress->setRange(0, 0);
    printProgress->show();
    cancelPrintButton->setEnabled(true);
    cancelPrintButton->show();
    connect(cancelPrintButton, &QToolButton::clicked, preview_.get(),
            [this] { EndPreview("Cancelled"); });
    PreviewReady();
}

void MainWindow::PreviewReady() {
    if (!preview_ || previewOpening_)
        return;
    PreviewPageLoader& loader = preview_->Loader();
    if (!loader.Page(1) && loader.Failure().isEmpty())
        return;
    // Opened from the window's own call, not from within the loader's.
    previewOpening_ = true;
    QMetaObject::invokeMethod(this, &MainWindow::OpenPreview, Qt::QueuedConnection);
}

void MainWindow::OpenPreview() {
    if (!preview_)
        return;
    printProgress->hide();
    cancelPrintButton->hide();
    printingLabel->setText("");
    PreviewWindow& preview = *preview_;
    const std::string file = preview.Source().textFile;
    if (!preview.Loader().Page(1)) { // the listing failed before its first page
        const QString failure = preview.Loader().Failure();
        EndPreview("");
        services_.showFailure(QString::fromStdString(FailureSentence(
                                  "preview", file, preview.Loader().PlainFailure().toStdString())),
                              failure);
        return;
    }
    services_.runPreview(preview);
    const std::optional<PageSelection> request = preview.PrintRequest();
    EndPreview("");
    if (!request)
        return;
    ListingOptions options = previewOptions_;
    options.pages = *request;
    printRun_->StartFile(file, options, selectedPrinterIndex_);
}

void MainWindow::EndPreview(const QString& status) {
    preview_.reset(); // stops its drawing
    previewOpening_ = false;
    printProgress->hide();
    cancelPrintButton->hide();
    ShowRunStatus(status, false);
    previewAction->setEnabled(true);
    printAction->setEnabled(true);
}

} // namespace zl
