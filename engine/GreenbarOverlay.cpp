#include "engine/GreenbarOverlay.h"

namespace zl {

namespace {
const std::string kEsc = "\x1b";
}

std::int32_t ClampBarHeight(std::int32_t barHeight) {
    return barHeight < 1 ? 1 : barHeight > 6 ? 6 : barHeight;
}

std::vector<std::string> OverlayPieces(const PageGeometry& geometry, std::int32_t barHeight) {
    const std::int32_t bandHeight = ClampBarHeight(barHeight) * geometry.lineHeight;
    const std::int32_t shadedHeight = geometry.lineHeight * geometry.linesPerPage;
    const std::string width = kEsc + "*c" + std::to_string(geometry.barWidthDots) + "A";
    const std::string height = kEsc + "*c" + std::to_string(bandHeight) + "V";

    std::vector<std::string> pieces = {kEsc + "&f1Y", kEsc + "&f0X", kEsc + "&f0S"};
    // A band height of 0 (no geometry yet) would never advance: one band then.
    const std::int32_t step = bandHeight > 0 ? 2 * bandHeight : shadedHeight + 1;
    for (std::int32_t position = 0; position < shadedHeight; position += step) {
        pieces.push_back(kEsc + "&a" + std::to_string(position) + "V");
        pieces.push_back(width);
        pieces.push_back(height);
        pieces.push_back(kEsc + "*c10G");
        pieces.push_back(kEsc + "*c2P");
    }
    pieces.push_back(kEsc + "&f1S");
    pieces.push_back(kEsc + "&f1X");
    pieces.push_back(kEsc + "&f4X");
    return pieces;
}

} // namespace zl
