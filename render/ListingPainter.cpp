#include "render/ListingPainter.h"

#include "engine/ListingComposer.h"
#include "engine/SoftFont.h"
#include "platform/Exception.h"
#include "platform/Interruption.h"
#include "render/PagePainter.h"
#include "render/PclInterpreter.h"
#include "render/RenderSink.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

namespace zl::render {

namespace {

constexpr double kDotsPerInch = 300;

// Paints the pages onto the device one after another.
class DevicePages {
public:
    DevicePages(QPagedPaintDevice& device, const PaperSize& paper,
                const std::function<void()>& afterPage)
        : device_(device), paper_(paper), afterPage_(afterPage) {}
    ~DevicePages() {
        if (painter_.isActive())
            painter_.end();
    }

    void Add(const Page& page) {
        ThrowIfStopped();
        const PaperSize& paper =
            page.paper.width > 0 && page.paper.height > 0 ? page.paper : paper_;
        const QPageLayout layout = LayoutOf(paper, page.landscape);
        // A device set up for the first page (a print preview, which cannot
        // change it once painting) is left as it is.
        if (!painter_.isActive()) {
            SetLayout(layout);
            Begin();
        } else {
            // A new layout applies from the next page on.
            SetLayout(layout);
            device_.newPage();
        }
        pagePainter_.Paint(painter_, page);
        ++count_;
        if (afterPage_)
            afterPage_();
    }

    // The pages painted so far.
    int Count() const { return count_; }

    void Finish() {
        if (!painter_.isActive()) {
            SetLayout(LayoutOf(paper_, false));
            Begin();
            ++count_; // blank
        }
        painter_.end();
        if (afterPage_)
            afterPage_();
    }

private:
    void SetLayout(const QPageLayout& layout) {
        if (!layout.isEquivalentTo(device_.pageLayout()))
            device_.setPageLayout(layout);
    }

    void Begin() {
        if (!painter_.begin(&device_)) {
            if (afterPage_)
                afterPage_();
            throw Exception("cannot start painting the listing");
        }
    }

    QPagedPaintDevice& device_;
    const PaperSize& paper_;
    const std::function<void()>& afterPage_;
    QPainter painter_;
    PagePainter pagePainter_;
    int count_ = 0;
};

} // namespace

QPageLayout LayoutOf(const PaperSize& paper, bool landscape) {
    const QPageSize size(QSizeF(paper.width / kDotsPerInch, paper.height / kDotsPerInch),
                         QPageSize::Inch, QString::fromStdString(paper.name),
                         QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

DownloadedCharacterNamer DownloadedCharacters(const ListingComposer& composer) {
    return [&composer](int fontId, int code) { return composer.DownloadedCharacter(fontId, code); };
}

ListingOptions OptionsOnPaper(const ListingSource& source) {
    ListingOptions options = source.options;
    if (options.pagePaper == PaperRequest::PrinterDefault)
        options.pagePaper = PaperOfSize(source.paper);
    return options;
}

int PaintListing(const ListingSource& source, QPagedPaintDevice& device,
                 const std::function<void()>& whenOpened, const std::function<void()>& afterPage) {
    ListingComposer composer(OptionsOnPaper(source), *source.clock, *source.names,
                             source.openInput);
    DevicePages pages(device, source.paper, afterPage);
    PclInterpreter interpreter(
        source.paper, [&pages](const Page& page) { pages.Add(page); },
        DownloadedCharacters(composer));
    RenderSink sink(interpreter);
    composer.Compose(source.textFile, sink, whenOpened);
    sink.Finish();
    if (source.counts)
        *source.counts = composer.Counts();
    pages.Finish();
    return pages.Count();
}

} // namespace zl::render
