#include "app/PreviewPagesView.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace zl {

namespace {

constexpr int kGap = 12;            // pixels around and between pages
constexpr double kMinZoom = 0.04;   // 12 dpi
constexpr double kMaxZoom = 1.6;    // 480 dpi
constexpr std::int32_t kAround = 2; // pages composed before and after those in view

} // namespace

PreviewPagesView::PreviewPagesView(PreviewPageLoader& loader, QSizeF paperSize, QWidget* parent)
    : QAbstractScrollArea(parent), loader_(loader), paper_(paperSize) {
    setObjectName("previewPages");
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(&loader_, &PreviewPageLoader::Changed, viewport(), qOverload<>(&QWidget::update));
    UpdateScrollBars();
}

QSize PreviewPagesView::PagePixels() const {
    return QSize(std::max(1, static_cast<int>(std::lround(paper_.width() * zoom_))),
                 std::max(1, static_cast<int>(std::lround(paper_.height() * zoom_))));
}

std::int32_t PreviewPagesView::Rows() const {
    return (pageCount_ + columns_ - 1) / columns_;
}

int PreviewPagesView::RowHeight() const {
    return PagePixels().height() + kGap;
}

int PreviewPagesView::ContentWidth() const {
    return columns_ * (PagePixels().width() + kGap) + kGap;
}

void PreviewPagesView::SetPageCount(std::int32_t count) {
    count = std::max(1, count);
    if (count == pageCount_)
        return;
    pageCount_ = count;
    UpdateScrollBars();
    UpdateCurrent();
    viewport()->update();
}

QRect PreviewPagesView::PageRect(std::int32_t number) const {
    const QSize page = PagePixels();
    const std::int32_t index = number - 1;
    const int left =
        std::max(0, (viewport()->width() - ContentWidth()) / 2) - horizontalScrollBar()->value();
    const auto row = static_cast<std::int64_t>(index / columns_);
    const std::int64_t top = kGap + row * RowHeight() - verticalScrollBar()->value();
    return QRect(left + kGap + (index % columns_) * (page.width() + kGap),
                 static_cast<int>(std::clamp<std::int64_t>(top, INT_MIN / 2, INT_MAX / 2)),
                 page.width(), page.height());
}

void PreviewPagesView::GoToPage(std::int32_t number) {
    number = std::clamp(number, 1, pageCount_);
    verticalScrollBar()->setValue((number - 1) / columns_ * RowHeight());
    if (current_ != number) { // one of a row of two keeps its number
        current_ = number;
        emit CurrentPageChanged(current_);
    }
    AskForPagesInView();
}

void PreviewPagesView::UpdateCurrent() {
    const QScrollBar& bar = *verticalScrollBar();
    std::int32_t row = bar.value() / RowHeight();
    // A row less than half in view gives way to the next.
    if (bar.value() - row * RowHeight() > RowHeight() / 2)
        ++row;
    std::int32_t page = std::min(pageCount_, row * columns_ + 1);
    if (bar.maximum() > 0 && bar.value() == bar.maximum())
        page = pageCount_;
    if ((current_ - 1) / columns_ == (page - 1) / columns_ && current_ <= pageCount_)
        return; // the same row
    current_ = page;
    emit CurrentPageChanged(current_);
}

void PreviewPagesView::AskForPagesInView() {
    const int top = verticalScrollBar()->value();
    const std::int32_t firstRow = top / RowHeight();
    const std::int32_t lastRow = (top + viewport()->height()) / RowHeight();
    const std::int32_t first = firstRow * columns_ + 1;
    const std::int32_t last = std::min(pageCount_, (lastRow + 1) * columns_);
    loader_.Want(std::max(1, first - kAround), last + kAround);
}

void PreviewPagesView::UpdateScrollBars() {
    const QSize view = viewport()->size();
    const std::int64_t height = static_cast<std::int64_t>(Rows()) * RowHeight() + kGap;
    const int maxY = static_cast<int>(std::clamp<std::int64_t>(height - view.height(), 0, INT_MAX));
    verticalScrollBar()->setRange(0, maxY);
    verticalScrollBar()->setPageStep(std::max(1, view.height()));
    verticalScrollBar()->setSingleStep(std::max(1, RowHeight() / 20));
    horizontalScrollBar()->setRange(0, std::max(0, ContentWidth() - view.width()));
    horizontalScrollBar()->setPageStep(std::max(1, view.width()));
    horizontalScrollBar()->setSingleStep(std::max(1, PagePixels().width() / 20));
}

void PreviewPagesView::SetZoom(double zoom) {
    fit_ = Fit::None;
    Zoomed(zoom);
}

void PreviewPagesView::Zoomed(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_)
        return;
    const std::int32_t page = current_;
    zoom_ = zoom;
    UpdateScrollBars();
    GoToPage(page); // the page in view stays in view
    viewport()->update();
}

void PreviewPagesView::FitZoom() {
    const QSize view = viewport()->size();
    const double byWidth = (view.width() - (columns_ + 1) * kGap) / (columns_ * paper_.width());
    const double byHeight = (view.height() - 2 * kGap) / paper_.height();
    if (fit_ == Fit::Width)
        Zoomed(byWidth);
    else if (fit_ == Fit::Page)
        Zoomed(std::min(byWidth, byHeight));
}

void PreviewPagesView::ZoomIn() {
    SetZoom(zoom_ * kZoomStep);
}

void PreviewPagesView::ZoomOut() {
    SetZoom(zoom_ / kZoomStep);
}

void PreviewPagesView::SetFit(Fit fit) {
    fit_ = fit;
    FitZoom();
}

void PreviewPagesView::SetTwoPages(bool two) {
    const std::int32_t page = current_;
    columns_ = two ? 2 : 1;
    UpdateScrollBars();
    FitZoom();
    GoToPage(page);
    viewport()->update();
}

void PreviewPagesView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const std::int32_t page = current_;
    UpdateScrollBars();
    FitZoom();
    GoToPage(page);
}

void PreviewPagesView::scrollContentsBy(int, int) {
    UpdateCurrent();
    AskForPagesInView();
    viewport()->update();
}

void PreviewPagesView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const int top = verticalScrollBar()->value();
    const std::int32_t firstRow = top / RowHeight();
    const std::int32_t lastRow = (top + viewport()->height()) / RowHeight();
    const double deviceScale = render::DotScale(*viewport());
    for (std::int32_t number = firstRow * columns_ + 1;
         number <= std::min(pageCount_, (lastRow + 1) * columns_); ++number) {
        const QRect rect = PageRect(number);
        if (!rect.intersects(event->rect()))
            continue;
        painter.fillRect(rect.translated(2, 2), palette().shadow());
        painter.fillRect(rect, Qt::white);
        const std::shared_ptr<const render::Page> page = loader_.Page(number);
        if (!page)
            continue;
        painter.save();
        painter.setClipRect(rect);
        painter.translate(rect.topLeft());
        painter.scale(zoom_ / deviceScale, zoom_ / deviceScale);
        painter.setRenderHint(QPainter::Antialiasing);
        painter_.Paint(painter, *page);
        painter.restore();
    }
}

void PreviewPagesView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y() / 120;
        for (int i = 0; i < std::abs(steps); ++i)
            steps > 0 ? ZoomIn() : ZoomOut();
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void PreviewPagesView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageUp:
        GoToPage(current_ - columns_);
        break;
    case Qt::Key_PageDown:
        GoToPage(current_ + columns_);
        break;
    case Qt::Key_Home:
        GoToPage(1);
        break;
    case Qt::Key_End:
        GoToPage(pageCount_);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomIn();
        break;
    case Qt::Key_Minus:
        ZoomOut();
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace zl
