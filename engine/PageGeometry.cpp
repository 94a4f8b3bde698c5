#include "engine/PageGeometry.h"

namespace zl {

void ApplyPageSettings(const PageFlags& flags, PageGeometry& geometry) {
    if (flags.landscape) {
        geometry.lineWidth = flags.compressed ? 176 : 105;
        geometry.pageLength = 15;
        geometry.barWidth = 21;
    } else {
        geometry.lineWidth = flags.compressed ? 133 : 80;
        geometry.pageLength = 20;
        geometry.barWidth = 16;
    }
    geometry.linesPerInch = flags.sixLpi ? 6 : 8;
}

void DeriveGeometry(PageGeometry& geometry) {
    geometry.lineHeight = geometry.linesPerInch > 0 ? 720 / geometry.linesPerInch : 0;
    geometry.linesPerPage = geometry.pageLength * geometry.linesPerInch / 2;
    geometry.barWidthDots = geometry.barWidth * 300 / 2;
}

} // namespace zl
