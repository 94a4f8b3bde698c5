#include "render/PdfListing.h"

#include "render/GuiApplication.h"

#include <QIODevice>
#include <QPdfWriter>

#include <algorithm>
#include <exception>
#include <limits>

namespace zl::render {

namespace {

constexpr int kDotsPerInch = 300;

// A write-only device that hands the PDF's bytes to a byte sink. Qt's code
// between the painter and this device is no place for an exception: the
// first failure is kept, every write after it refused, and RethrowFailure
// raises it again once Qt has returned.
class SinkDevice : public QIODevice {
public:
    explicit SinkDevice(ByteSink& sink) : sink_(sink) {}
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

int WriteListingPdf(const ListingSource& source, ByteSink& out, const std::string& title,
                    const std::function<void()>& whenOpened) {
    RequireGuiApplication();
    SinkDevice device(out);
    device.open(QIODevice::WriteOnly);
    QPdfWriter writer(&device);
    writer.setResolution(kDotsPerInch);
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QStringLiteral("ZelList"));
    return PaintListing(source, writer, whenOpened, [&] { device.RethrowFailure(); });
}

} // namespace zl::render
