#include "engine/PageGeometry.h"

namespace zl {

namespace {

// The paper the listing prints on: the one it asks for, else the one its
// page is laid out for.
PaperRequest PrintedPaper(const ListingOptions& options) {
    return options.requests.paper != PaperRequest::PrinterDefault ? options.requests.paper
                                                                  : options.pagePaper;
}

} // namespace

PageGeometry GeometryFor(const ListingOptions& options) {
    PageGeometry geometry;
    if (options.landscape) {
        geometry.lineWidth = options.compressed ? 176 : 105;
        geometry.pageLength = 15;
        geometry.barWidth = 21;
    } else {
        geometry.lineWidth = options.compressed ? 133 : 80;
        // A4's portrait logical page is 2338 dots (7.79 in) wide, less than
        // Letter's 8 in: 129 cells of 18 dots fit it, and 77 of 30.
        if (PrintedPaper(options) == PaperRequest::A4)
            geometry.lineWidth = options.compressed ? 129 : 77;
        geometry.pageLength = 20;
        geometry.barWidth = 16;
    }
    geometry.linesPerInch = options.sixLpi ? 6 : 8;
    geometry.lineHeight = 720 / geometry.linesPerInch;
    geometry.linesPerPage = geometry.pageLength * geometry.linesPerInch / 2;
    geometry.barWidthDots = geometry.barWidth * 300 / 2;
    return geometry;
}

} // namespace zl
