// The pages of a listing one below the other (or two side by side) in a
// scrolling view, at a zoom or fitted to the view's width or to a whole
// page. It paints only the pages in view, from the loader's cache, and
// tells the loader which pages are in view and around; a page not yet
// composed shows blank until it arrives.
#pragma once

#include "app/PreviewPageLoader.h"
#include "render/PagePainter.h"

#include <QAbstractScrollArea>
#include <QSizeF>

#include <cstdint>

namespace zl {

class PreviewPagesView : public QAbstractScrollArea {
    Q_OBJECT

public:
    enum class Fit { None, Width, Page };

    // Pages of `paperSize` (in 300-dpi dots, turned as the listing is)
    // from `loader`, which must outlive the view.
    PreviewPagesView(PreviewPageLoader& loader, QSizeF paperSize, QWidget* parent = nullptr);

    // The pages known so far; the view grows with the count.
    void SetPageCount(std::int32_t count);
    std::int32_t PageCount() const { return pageCount_; }
    // Scrolls page `number` (from 1) to the top of the view.
    void GoToPage(std::int32_t number);
    // The page at the top of the view (the last one once scrolled to the end).
    std::int32_t CurrentPage() const { return current_; }

    void ZoomIn();
    void ZoomOut();
    void SetFit(Fit fit);
    Fit FitMode() const { return fit_; }
    // Screen pixels to the 300-dpi dot; setting it ends fitting.
    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    void SetTwoPages(bool two);
    bool TwoPages() const { return columns_ == 2; }

    // Where page `number` lies in the view's viewport now.
    QRect PageRect(std::int32_t number) const;

    static constexpr double kZoomStep = 1.25;

signals:
    void CurrentPageChanged(std::int32_t number);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Zoomed(double zoom);
    void FitZoom();
    void UpdateScrollBars();
    void UpdateCurrent();
    void AskForPagesInView();
    std::int32_t Rows() const;
    int RowHeight() const;
    int ContentWidth() const;
    QSize PagePixels() const;

    PreviewPageLoader& loader_;
    render::PagePainter painter_;
    QSizeF paper_; // dots
    std::int32_t pageCount_ = 1;
    std::int32_t current_ = 1;
    double zoom_ = 0.32; // 96 dpi
    Fit fit_ = Fit::Width;
    int columns_ = 1;
};

} // namespace zl
