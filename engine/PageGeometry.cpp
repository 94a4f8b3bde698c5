#include "engine/PageGeometry.h"

namespace zl {

PageGeometry GeometryFor(const ListingOptions& options) {
    PageGeometry geometry;
    if (options.landscape) {
        geometry.lineWidth = options.compressed ? 176 : 105;
        geometry.pageLength = 15;
        geometry.barWidth = 21;
    } else {
        geometry.lineWidth = options.compressed ? 133 : 80;
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
