// How soon the preview shows a large listing, and what it costs:
//   zl_preview_bench [--qt-preview] FILE
// opens the preview of FILE (offscreen, Letter, default options) as the
// window's Preview does, then prints the seconds until page 1 is drawn,
// until the page count is known, until the last page is drawn after End,
// and until a page typed in the box is drawn; the longest time the event
// loop did not run; and the program's peak resident memory. --qt-preview
// times Qt's print preview widget instead, the yardstick: it records every
// page before it shows the first.
#include "app/PreviewPagesView.h"
#include "app/PreviewWindow.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

// Handles events until `done`.
void RunUntil(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

// Qt's print preview of the same listing: the seconds until its first page
// can show, which is when it has painted all of them.
int QtPreview(const zl::render::ListingSource& source) {
    QElapsedTimer timer;
    timer.start();
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(zl::render::LayoutOf(source.paper, false));
    QPrintPreviewWidget widget(&printer);
    QObject::connect(&widget, &QPrintPreviewWidget::paintRequested,
                     [&](QPrinter* device) { zl::render::PaintListing(source, *device); });
    widget.updatePreview();
    std::printf("Qt's preview: pages %d\nfirst page %.3f s\npeak RSS %.1f MB\n", widget.pageCount(),
                timer.nsecsElapsed() / 1e9, PeakMegabytes());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool qtPreview = argc == 3 && std::string(argv[1]) == "--qt-preview";
    if (argc != 2 && !qtPreview) {
        std::fprintf(stderr, "usage: zl_preview_bench [--qt-preview] FILE\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const zl::FixedClock clock(zl::LocalTimeAt(0));
    const zl::LocaleNames names = zl::LocaleNames::English();

    const zl::render::ListingSource source{argv[argc - 1], zl::ListingOptions(), &clock, &names,
                                           zl::render::PaperSize::Letter()};
    if (qtPreview)
        return QtPreview(source);

    QElapsedTimer sinceTick;
    double stallMs = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        stallMs = std::max(stallMs, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6 - 5);
        sinceTick.restart();
    });
    sinceTick.start();
    ticker.start();

    QElapsedTimer timer;
    timer.start();
    zl::PreviewWindow preview(zl::PreviewSetup{source, "bench", ""});
    preview.resize(900, 1000);
    preview.setAttribute(Qt::WA_DontShowOnScreen);
    preview.show();
    zl::PreviewPageLoader& loader = preview.Loader();
    // A page is on screen once it is in the cache and the view painted it.
    const auto drawn = [&](std::int32_t page) {
        RunUntil([&] { return loader.Page(page) != nullptr || !loader.Failure().isEmpty(); });
        preview.pages->viewport()->repaint();
        return timer.nsecsElapsed() / 1e9;
    };
    const double first = drawn(1);
    RunUntil([&] { return loader.CountComplete() || !loader.Failure().isEmpty(); });
    const double counted = timer.nsecsElapsed() / 1e9;
    const std::int32_t pages = loader.PagesCounted();

    timer.restart();
    preview.lastAction->trigger();
    const double last = drawn(pages);
    timer.restart();
    const std::int32_t typed = pages / 3 + 1;
    preview.pageBox->setText(QString::number(typed));
    emit preview.pageBox->returnPressed();
    const double typedSeconds = drawn(typed);

    std::printf("pages %d\nfirst page %.3f s\ncount %.3f s\nlast page after End %.3f s\n"
                "page %d typed %.3f s\nlongest event-loop stall %.0f ms\npeak RSS %.1f MB\n",
                pages, first, counted, last, typed, typedSeconds, stallMs, PeakMegabytes());
    if (!loader.Failure().isEmpty()) {
        std::fprintf(stderr, "%s\n", loader.Failure().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
