// The Preview command: the listing of one file of the list in Qt's print
// preview, composed and drawn exactly as it will print. Nothing goes to a
// raw job; the preview's own Print button prints through the system's
// printer driver.
#include "app/MainWindow.h"

#include "app/FileListBox.h"
#include "app/PrinterComboBox.h"
#include "engine/FileInputSource.h"
#include "printer/FailureWords.h"
#include "printer/PrintRun.h"
#include "render/ListingPainter.h"

#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

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
    const int entry = PreviewedEntry(*fileList);
    if (entry < 0) {
        services_.showMessage(kNoFilesMessage);
        return;
    }
    PageSettings(); // the geometry as the option controls say, activated or not
    const ListingOptions options = Options();
    const render::ListingSource source{fileList->Text(entry).toStdString(), options,
                                       services_.clock, &services_.names,
                                       PreviewPaper(options.requests.paper, *services_.printer,
                                                    printerComboBox->Selector().PaperList())};
    // A file that cannot be opened gets an error box naming it, no preview.
    try {
        FileInputSource::Open(source.textFile)->Close();
    } catch (const std::exception& e) {
        services_.showFailure(
            QString::fromStdString(FailureSentence("preview", source.textFile, e.what())),
            QString::fromStdString(e.what()));
        return;
    }

    // Full page: the painter's dots map onto the paper, without margins, in
    // the listing's orientation from the first page on.
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(render::LayoutOf(source.paper, options.landscape));
    // The preview's Print button prints on the window's printer where the
    // system's printer driver knows it.
    const QString chosen = DriverPrinter(printerComboBox->Selector());
    if (!chosen.isEmpty())
        printer.setPrinterName(chosen);
    QPrintPreviewDialog dialog(&printer, this);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&](QPrinter* device) { Guarded([&] { render::PaintListing(source, *device); }); });
    services_.runPreview(dialog);
    // Accepted: the preview's Print button printed the pages.
    if (dialog.result() == QDialog::Accepted && (printer.printerState() == QPrinter::Error ||
                                                 printer.printerState() == QPrinter::Aborted)) {
        services_.showError("Cannot print " + QFileInfo(fileList->Text(entry)).fileName() + " on " +
                            printer.printerName() + ": the printer did not take the listing.");
    }
}

} // namespace zl
