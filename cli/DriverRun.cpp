#include "cli/DriverRun.h"

#include "cli/FlagOptions.h"
#include "platform/Exception.h"
#include "platform/Interruption.h"
#include "printer/ListingJob.h"
#include "render/GuiApplication.h"
#include "render/ListingPainter.h"

#include <QPageSize>
#include <QPrinter>

#include <dlfcn.h>
#include <filesystem>
#include <ostream>

namespace zl::cli {

namespace {

constexpr double kDotsPerInch = 300;

// A printer that cannot be printed on; the message names it.
class PrinterFailure : public Exception {
public:
    using Exception::Exception;
};

// The paper of `size` in 300-dpi dots.
render::PaperSize PaperOf(const QPageSize& size) {
    const QSizeF inches = size.size(QPageSize::Inch);
    return {size.name().toStdString(), inches.width() * kDotsPerInch,
            inches.height() * kDotsPerInch};
}

// What the print server answered to the job Qt has just sent, when it
// refused it; "" when it took it. Qt's CUPS support hands the job to
// cupsPrintFile and drops the answer, which libcups keeps for the thread as
// its last error; the library is the one Qt loaded, not loaded anew.
std::string RefusalOfLastJob() {
    void* cups = dlopen("libcups.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (!cups)
        return {};
    constexpr int kFirstError = 0x0400; // IPP_STATUS_ERROR_BAD_REQUEST
    const auto lastError = reinterpret_cast<int (*)()>(dlsym(cups, "cupsLastError"));
    const auto lastErrorString =
        reinterpret_cast<const char* (*)()>(dlsym(cups, "cupsLastErrorString"));
    std::string refusal;
    if (lastError && lastError() >= kFirstError) {
        const char* text = lastErrorString ? lastErrorString() : nullptr;
        refusal = text && *text ? text : "the print server refused the job";
    }
    dlclose(cups);
    return refusal;
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

// Prints `file` (its absolute path in the header) as one job.
void PrintOne(const CliSettings& settings, const std::string& file, const Clock& clock,
              const LocaleNames& names) {
    QPrinter printer(QPrinter::HighResolution);
    ChoosePrinter(settings, printer);
    printer.setDocName(QString::fromLatin1(ListingJob::kDocumentName));
    // Dots count from the paper's corner, as on a PCL printer.
    printer.setFullPage(true);
    render::PaperSize paper;
    if (!render::PaperSize::Named(settings.paper, paper)) // none named: the printer's
        paper = PaperOf(printer.pageLayout().pageSize());

    PageGeometry geometry;
    ApplyPageSettings(settings.page, geometry);
    FlagOptions options(settings);
    const std::string printerName = printer.printerName().toStdString();
    const auto requireOpen = [&] {
        if (printer.printerState() == QPrinter::Error)
            throw PrinterFailure("cannot print on '" + printerName + "' through its driver");
    };
    try {
        render::PaintListing(render::ListingSource{std::filesystem::absolute(file).string(),
                                                   &options, &geometry, &clock, &names, paper},
                             printer, {}, requireOpen);
    } catch (const Interrupted&) {
        throw;
    } catch (const Exception&) {
        requireOpen(); // a printer that failed is the cause
        throw;
    }
    if (const std::string refusal = RefusalOfLastJob(); !refusal.empty())
        throw PrinterFailure("cannot print on '" + printerName +
                             "' through its driver: " + refusal);
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
    for (const std::string& given : settings.files) {
        try {
            PrintOne(settings, given, clock, names);
        } catch (const Interrupted& stop) {
            err << "zellist: interrupted: " << given << " was not printed\n";
            return 128 + stop.Signal();
        } catch (const PrinterFailure& e) {
            err << "zellist: " << ShownMessage(e.what()) << '\n';
            return 1;
        } catch (const std::exception& e) {
            err << "zellist: " << given << ": " << ShownMessage(e.what()) << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace zl::cli
