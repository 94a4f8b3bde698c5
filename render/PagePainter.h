// Draws one page of the page model with a QPainter, on any paint device: a
// widget, an image, a printer. The shaded rectangles go first, filled with
// the grey of their shading, then the text in the printer's faces (see
// ListingFaces): each run of a line as one item, its characters one cell of
// the pitch apart, so that the columns line up as on paper. The glyphs of a
// downloaded bitmap font are drawn bit for bit in their cells.
#pragma once

#include "render/ListingFaces.h"
#include "render/PageModel.h"

#include <QRawFont>

#include <map>
#include <unordered_map>
#include <utility>

class QPainter;
class QPaintDevice;

namespace zl::render {

class PagePainter {
public:
    // Finds the faces; raises zl::Exception when one is not installed.
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
    static void PaintGlyphs(QPainter& painter, const TextRun& run);
    const GlyphSource& GlyphOf(Face face, char32_t c);
    // `face` at `em` dots to the em.
    const QRawFont& Sized(const QRawFont& face, double em);

    ListingFaces faces_;
    std::map<std::pair<const QRawFont*, double>, QRawFont> sized_;
    std::unordered_map<char32_t, GlyphSource> glyphs_[kFaceCount];
};

// The factor from 300-dpi dots to the units of `device`.
double DotScale(const QPaintDevice& device);

} // namespace zl::render
