// Draws one page of the page model with a QPainter, on any paint device: a
// widget, an image, a PDF writer or a printer. The shaded rectangles go
// first, filled with the grey of their shading, then the text in a
// monospaced face with the PC-8 line-drawing characters, every character in
// its own cell of 1/pitch inch, so that the columns line up as on paper.
#pragma once

#include "render/PageModel.h"

#include <QRawFont>

#include <map>

class QPainter;
class QPaintDevice;

namespace zl::render {

class PagePainter {
public:
    // The face the text is drawn in.
    static constexpr const char* kFamily = "DejaVu Sans Mono";

    PagePainter();

    // Draws `page` at its true size: the painter's coordinates are taken to
    // be the device's, which are scaled to 300-dpi dots from its resolution;
    // a transform already set on the painter (a zoom) applies on top.
    void Paint(QPainter& painter, const Page& page);

    // The grey of a PCL shading percentage (0 white, 100 black) as a
    // brightness from 0 to 1.
    static double Brightness(int shadePercent);

private:
    void PaintRun(QPainter& painter, const TextRun& run);
    // The face at `height` dots high.
    const QRawFont& FontAt(double height);

    QRawFont face_;
    std::map<double, QRawFont> sized_;
};

// The factor from 300-dpi dots to the units of `device`.
double DotScale(const QPaintDevice& device);

} // namespace zl::render
