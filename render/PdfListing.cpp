#include "render/PdfListing.h"

#include "platform/Interruption.h"
#include "printer/ListingJob.h"
#include "printer/RawPrintJob.h"
#include "printing/OutputFileService.h"
#include "render/GuiApplication.h"
#include "render/ListingPainter.h"

#include <QIODevice>
#include <QPdfWriter>

#include <algorithm>
#include <exception>
#include <limits>

namespace zl::render {

namespace {

constexpr int kDotsPerInch = 300;

// A write-only device that hands the PDF's bytes to a print job. Qt's code
// between the painter and this device is no place for an exception: the
// first failure is kept, every write after it refused, and RethrowFailure
// raises it again once Qt has returned.
class JobDevice : public QIODevice {
public:
    explicit JobDevice(ByteSink& sink) : sink_(sink) {}
    bool isSequential() const override { return true; }
    void RethrowFailure() const {
        if (failure_)
            std::rethrow_exception(failure_);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        if (failure_)
            return -1;
        try {
            for (qint64 done = 0; done < size;) {
                const auto piece = static_cast<std::int32_t>(
                    std::min<qint64>(size - done, std::numeric_limits<std::int32_t>::max()));
                sink_.Write(data + done, piece);
                done += piece;
            }
        } catch (...) {
            failure_ = std::current_exception();
            return -1;
        }
        return size;
    }

private:
    ByteSink& sink_;
    std::exception_ptr failure_;
};

} // namespace

void WriteListingPdf(const std::string& pdfPath, const std::string& textFile,
                     const ListingOptions& options, PageGeometry& geometry, const Clock& clock,
                     const LocaleNames& names, const PaperSize& paper) {
    RequireGuiApplication();
    OutputFileService output(pdfPath);
    RawPrintJob job(output);
    JobDevice device(job);
    device.open(QIODevice::WriteOnly);
    bool started = false;
    try {
        QPdfWriter writer(&device);
        writer.setResolution(kDotsPerInch);
        writer.setTitle(QString::fromLatin1(ListingJob::kDocumentName));
        writer.setCreator(QStringLiteral("ZelList"));
        PaintListing(
            ListingSource{textFile, &options, &geometry, &clock, &names, paper}, writer,
            [&] {
                job.StartJob(OutputFileService::kPrinterName, ListingJob::kDocumentName);
                started = true;
            },
            [&] { device.RethrowFailure(); });
        job.EndPage();
        job.EndJob();
    } catch (...) {
        // Nothing of a failed listing stays behind.
        if (started)
            job.AbortJob();
        throw;
    }
}

} // namespace zl::render
