#include "engine/PageGeometry.h"

namespace zl {

void ApplyPageSettings(const PageFlags& flags, PageGeometry& geometry) {
    if (flags.landscape) {
        geometry.LineWidth = flags.compressed ? 176 : 105;
        geometry.PageLength = 15;
        geometry.BarWidth = 21;
    } else {
        geometry.LineWidth = flags.compressed ? 133 : 80;
        geometry.PageLength = 20;
        geometry.BarWidth = 16;
    }
    geometry.LinesPerInch = flags.sixLpi ? 6 : 8;
}

void DeriveGeometry(PageGeometry& geometry) {
    geometry.LineHeight = geometry.LinesPerInch > 0 ? 720 / geometry.LinesPerInch : 0;
    geometry.LinesPerPage = geometry.PageLength * geometry.LinesPerInch / 2;
    geometry.BarWidthDots = geometry.BarWidth * 300 / 2;
}

} // namespace zl
