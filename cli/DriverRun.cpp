#include "cli/DriverRun.h"

#include "cli/ListingRun.h"
#include "cli/PdfFile.h"
#include "cli/StandardInput.h"
#include "platform/Exception.h"
#include "platform/Interruption.h"
#include "printer/ListingJob.h"
#include "render/GuiApplication.h"
#include "render/ListingPainter.h"

#ifndef _WIN32
#include "printer/RawPrintJob.h"
#include "printing/SystemPrintService.h"
#endif

#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <fstream>
#include <ostream>
#include <vector>

namespace zl::cli {

namespace {

constexpr double kDotsPerInch = 300;

// The paper of `size` in 300-dpi dots.
render::PaperSize PaperOf(const QPageSize& size) {
    const QSizeF inches = size.size(QPageSize::Inch);
    return {size.name().toStdString(), inches.width() * kDotsPerInch,
            inches.height() * kDotsPerInch};
}

// Points `printer` at the chosen printer, or raises PrinterFailure naming it
// when Qt knows no such printer (or, without a name, no default printer).
void ChoosePrinter(const CliSettings& settings, QPrinter& printer) {
    if (settings.printer)
        printer.setPrinterName(QString::fromStdString(*settings.printer));
    const std::string name = printer.printerName().toStdString();
    const bool named = !settings.printer || name == *settings.printer;
    if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat || name.empty() ||
        !named)
        throw PrinterFailure(settings.printer ? "cannot print on '" + *settings.printer +
                                                    "' through its driver: no such printer"
                                              : "cannot print through a driver: no default "
                                                "printer");
}

#ifdef _WIN32
// Paints the listing straight onto the printer: the Windows driver takes the
// pages, and a listing that fails part-way aborts the document. Returns the
// number of pages.
int PrintListing(const render::ListingSource& source, QPrinter& printer) {
    const std::string printerName = printer.printerName().toStdString();
    const auto requireOpen = [&] {
        if (printer.printerState() == QPrinter::Error)
            throw PrinterFailure("cannot print on '" + printerName + "' through its driver");
    };
    try {
        return render::PaintListing(source, printer, {}, requireOpen);
    } catch (const Interrupted&) {
        printer.abort();
        throw;
    } catch (const Exception&) {
        printer.abort();
        requireOpen(); // a printer that failed is the cause
        throw;
    }
}
#else
// Hands the finished PDF at `path` to the print server as one job of the
// printer's, typed by the server, whose filters turn it into what the
// printer takes. A job that fails or is stopped is cancelled.
void SendDocument(const std::string& printerName, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Exception("cannot read the drawn listing " + path);
    SystemPrintService& service = ProcessPrintService();
    service.SetFailWhenServerSilent(true);
    RawPrintJob job(service);
    try {
        job.StartJob(printerName, ListingJob::kDocumentName, DataType::TypedByServer);
        std::vector<char> buffer(64 * 1024);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
               in.gcount() > 0)
            job.WriteData(buffer.data(), static_cast<std::int32_t>(in.gcount()));
        if (in.bad())
            throw Exception("cannot read the drawn listing " + path);
        job.EndJob();
    } catch (const Interrupted&) {
        throw;
    } catch (const Exception& e) {
        const auto* failure = dynamic_cast<const PrintFailure*>(&e);
        const std::string cause = failure ? failure->Cause() : std::string();
        throw PrinterFailure("cannot print on '" + printerName +
                             "' through its driver: " + (cause.empty() ? e.what() : cause));
    }
}

// Draws the listing into a PDF in a temporary folder and sends it only once
// it is complete, so a listing that fails part-way leaves no job at all.
// Returns the number of pages.
int PrintListing(const render::ListingSource& source, QPrinter& printer) {
    QTemporaryDir folder;
    if (!folder.isValid())
        throw Exception("cannot create a temporary folder: " + folder.errorString().toStdString());
    const std::string pdf = folder.filePath(QStringLiteral("listing.pdf")).toStdString();
    const int pages = WritePdfFile(pdf, source);
    SendDocument(printer.printerName().toStdString(), pdf);
    return pages;
}
#endif

// Prints `listing` as one job.
Listed PrintOne(const CliSettings& settings, const Listing& listing, const Clock& clock,
                const LocaleNames& names) {
    QPrinter printer(QPrinter::HighResolution);
    ChoosePrinter(settings, printer);
    printer.setDocName(QString::fromLatin1(ListingJob::kDocumentName));
    // Dots count from the paper's corner, as on a PCL printer.
    printer.setFullPage(true);
    render::PaperSize paper;
    if (!render::PaperSize::Named(settings.paper, paper)) // none named: the printer's
        paper = PaperOf(printer.pageLayout().pageSize());
    const int pages = PrintListing(
        render::ListingSource{listing.path, listing.options, &clock, &names, paper, OpenInput},
        printer);
    return Listed{pages, "on " + printer.printerName().toStdString()};
}

} // namespace

int PrintThroughDriver(const CliSettings& settings, const Clock& clock, const LocaleNames& names,
                       std::ostream& err) {
    try {
        render::RequireGuiApplication();
        // Checked once before the first file: a printer that cannot be
        // opened is no file's failure.
        QPrinter printer(QPrinter::HighResolution);
        ChoosePrinter(settings, printer);
    } catch (const std::exception& e) {
        err << "zellist: " << ShownMessage(e.what()) << '\n';
        return 1;
    }
    return RunListings(
        settings, [&](const Listing& listing) { return PrintOne(settings, listing, clock, names); },
        err);
}

} // namespace zl::cli
