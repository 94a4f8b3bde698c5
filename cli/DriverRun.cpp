#include "cli/DriverRun.h"

#include "cli/DriverRequests.h"
#include "cli/ListingRun.h"
#include "cli/PdfFile.h"
#include "cli/StandardInput.h"
#include "platform/Exception.h"
#include "platform/Interruption.h"
#include "printer/ListingJob.h"
#include "printing/SystemPrintService.h"
#include "render/GuiApplication.h"
#include "render/ListingPainter.h"

#ifndef _WIN32
#include "printer/RawPrintJob.h"
#endif

#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>

#include <fstream>
#include <optional>
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

// Points `printer` at the chosen printer, or raises a PrintFailure naming it
// when Qt knows no such printer (or, without a name, no default printer).
void ChoosePrinter(const CliSettings& settings, QPrinter& printer) {
    if (settings.printer)
        printer.setPrinterName(QString::fromStdString(*settings.printer));
    const std::string name = printer.printerName().toStdString();
    const bool named = !settings.printer || name == *settings.printer;
    if (!printer.isValid() || printer.outputFormat() != QPrinter::NativeFormat || name.empty() ||
        !named)
        throw PrintFailure(PrintStep::DriverJob,
                           settings.printer ? "no such printer" : "no default printer",
                           settings.printer ? *settings.printer : std::string());
}

#ifdef _WIN32
// The paper source Qt selects for a Windows bin code (DMBIN_*); none for a
// bin of the driver's own, which Qt has no setter for.
std::optional<QPrinter::PaperSource> PaperSourceOf(std::uint16_t bin) {
    static const std::pair<std::uint16_t, QPrinter::PaperSource> kSources[] = {
        {1, QPrinter::Upper},        {2, QPrinter::Lower},          {3, QPrinter::Middle},
        {4, QPrinter::Manual},       {5, QPrinter::Envelope},       {6, QPrinter::EnvelopeManual},
        {7, QPrinter::Auto},         {8, QPrinter::Tractor},        {9, QPrinter::SmallFormat},
        {10, QPrinter::LargeFormat}, {11, QPrinter::LargeCapacity}, {14, QPrinter::Cassette},
        {15, QPrinter::FormSource}};
    for (const auto& [code, source] : kSources) {
        if (code == bin)
            return source;
    }
    return std::nullopt;
}

// Asks the printer's driver for the copies, sides, paper and bin requested.
void Request(const JobRequests& requests, const render::PaperSize& paper, QPrinter& printer) {
    if (requests.copies > 0)
        printer.setCopyCount(requests.copies);
    if (requests.sides)
        printer.setDuplex(*requests.sides == DuplexMode::LongEdge    ? QPrinter::DuplexLongSide
                          : *requests.sides == DuplexMode::ShortEdge ? QPrinter::DuplexShortSide
                                                                     : QPrinter::DuplexNone);
    if (!requests.media.empty())
        printer.setPageSize(
            QPageSize(QSizeF(paper.width, paper.height) / kDotsPerInch, QPageSize::Inch));
    if (requests.bin != 0) {
        const std::optional<QPrinter::PaperSource> source = PaperSourceOf(requests.bin);
        if (!source)
            throw PrintFailure(PrintStep::DriverJob,
                               "Qt cannot select its bin " + std::to_string(requests.bin),
                               printer.printerName().toStdString());
        printer.setPaperSource(*source);
    }
}

// Paints the listing straight onto the printer: the Windows driver takes the
// pages, and a listing that fails part-way aborts the document. Returns the
// number of pages.
int PrintListing(const render::ListingSource& source, const JobRequests& requests,
                 QPrinter& printer) {
    Request(requests, source.paper, printer);
    const std::string printerName = printer.printerName().toStdString();
    const auto requireOpen = [&] {
        if (printer.printerState() == QPrinter::Error)
            throw PrintFailure(PrintStep::DriverJob, "", printerName);
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
// A print service whose every job is typed by the server and asks the
// printer for `requests`: the jobs a RawPrintJob opens on it carry them.
class RequestingService : public PrintService {
public:
    RequestingService(PrintService& service, const JobRequests& requests)
        : service_(service), requests_(requests) {}

    InstalledPrinters Printers() override { return service_.Printers(); }
    PrinterCapabilities Capabilities(const std::string& printer) override {
        return service_.Capabilities(printer);
    }
    std::unique_ptr<PrintJob> OpenJob(const std::string& printer, const std::string& documentName,
                                      DataType) override {
        return service_.OpenRequestedJob(printer, documentName, requests_);
    }

private:
    PrintService& service_;
    const JobRequests& requests_;
};

// Hands the finished PDF at `path` to the print server as one job of the
// printer's, typed by the server, whose filters turn it into what the
// printer takes, with what `requests` asks. A job that fails or is stopped
// is cancelled.
void SendDocument(const std::string& printerName, const std::string& path,
                  const JobRequests& requests) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Exception("cannot read the drawn listing " + path);
    SystemPrintService& service = ProcessPrintService();
    service.SetFailWhenServerSilent(true);
    RequestingService requesting(service, requests);
    RawPrintJob job(requesting);
    try {
        job.StartJob(printerName, ListingJob::kDocumentName, DataType::TypedByServer);
        std::vector<char> buffer(64 * 1024);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) ||
               in.gcount() > 0)
            job.WriteData(buffer.data(), static_cast<std::int32_t>(in.gcount()));
        if (in.bad())
            throw Exception("cannot read the drawn listing " + path);
        job.Finish();
    } catch (const Interrupted&) {
        throw;
    } catch (const Exception& e) {
        const auto* failure = dynamic_cast<const PrintFailure*>(&e);
        const std::string cause = failure ? failure->Cause() : std::string();
        throw PrintFailure(PrintStep::DriverJob, cause.empty() ? e.what() : cause, printerName);
    }
}

// Draws the listing into a PDF in a temporary folder and sends it only once
// it is complete, so a listing that fails part-way leaves no job at all.
// Returns the number of pages.
int PrintListing(const render::ListingSource& source, const JobRequests& requests,
                 QPrinter& printer) {
    QTemporaryDir folder;
    if (!folder.isValid())
        throw Exception("cannot create a temporary folder: " + folder.errorString().toStdString());
    const std::string pdf = folder.filePath(QStringLiteral("listing.pdf")).toStdString();
    const int pages = WritePdfFile(pdf, source);
    SendDocument(printer.printerName().toStdString(), pdf, requests);
    return pages;
}
#endif

// Prints `listing` as one job that asks for `requests`.
Listed PrintOne(const CliSettings& settings, const ListingOrder& listing,
                const JobRequests& requests, const Clock& clock, const LocaleNames& names) {
    QPrinter printer(QPrinter::HighResolution);
    ChoosePrinter(settings, printer);
    printer.setDocName(QString::fromLatin1(ListingJob::kDocumentName));
    // Dots count from the paper's corner, as on a PCL printer.
    printer.setFullPage(true);
    render::PaperSize paper;
    if (!render::PaperSize::Named(settings.paper, paper)) // none named: the printer's
        paper = PaperOf(printer.pageLayout().pageSize());
    Listed listed;
    listed.destination = "on " + printer.printerName().toStdString();
    listed.place = listed.destination;
    listed.pages = PrintListing(render::ListingSource{listing.path, listing.options, &clock, &names,
                                                      paper, OpenInput, &listed.counts},
                                requests, printer);
    return listed;
}

} // namespace

int PrintThroughDriver(const CliSettings& settings, const Clock& clock, const LocaleNames& names,
                       std::ostream& err) {
    JobRequests requests;
    WaitForRoomInFullQueues(ProcessPrintService(), settings, err);
    try {
        render::RequireGuiApplication();
        // Checked once before the first file: a printer that cannot be
        // opened, or asked for the tray, is no file's failure.
        QPrinter printer(QPrinter::HighResolution);
        ChoosePrinter(settings, printer);
        const std::string name = printer.printerName().toStdString();
        // Only a tray needs to know the printer's bins.
        PrinterCapabilities offered;
        if (settings.listing.requests.paperSource > 0) {
            SystemPrintService& service = ProcessPrintService();
            service.SetFailWhenServerSilent(true);
            offered = service.Capabilities(name);
        }
        requests = DriverJobRequests(settings, name, offered);
    } catch (const std::exception& e) {
        err << "zellist: " << ShownMessage(e.what()) << '\n';
        return 1;
    }
    return RunListings(
        settings,
        [&](const ListingOrder& listing, std::size_t) {
            return PrintOne(settings, listing, requests, clock, names);
        },
        err);
}

} // namespace zl::cli
