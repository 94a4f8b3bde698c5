// The page geometry of a listing: what its page options make of the page.
#pragma once

#include "engine/ListingOptions.h"

#include <cstdint>

namespace zl {

struct PageGeometry {
    std::int32_t lineWidth = 0;    // columns per line
    std::int32_t linesPerInch = 0; // 6 or 8
    std::int32_t pageLength = 0;   // text area, half-inches
    std::int32_t barWidth = 0;     // greenbar band width, half-inches
    std::int32_t lineHeight = 0;   // decipoints
    std::int32_t linesPerPage = 0;
    std::int32_t barWidthDots = 0; // 300-dpi dots
};

// The Line Printer font needs compressed pitch: without it the font must
// fall back to Courier.
inline bool CourierForced(bool compressed) {
    return !compressed;
}

// The geometry of a listing with `options` (pitch, orientation, lines per
// inch and the paper decide it).
PageGeometry GeometryFor(const ListingOptions& options);

} // namespace zl
