// The page geometry of a listing: the four settings taken from the page
// options and the three values a listing derives from them.
#pragma once

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

// The page options that decide the geometry.
struct PageFlags {
    bool compressed = true; // 16.67 characters per inch, else 10
    bool landscape = false;
    bool sixLpi = false; // else 8 lines per inch
};

// The Line Printer font needs compressed pitch: without it the font must
// fall back to Courier.
inline bool CourierForced(bool compressed) {
    return !compressed;
}

// Sets LineWidth, LinesPerInch, PageLength and BarWidth from the options.
void ApplyPageSettings(const PageFlags& flags, PageGeometry& geometry);

// Sets LineHeight, LinesPerPage and BarWidthDots from the four settings.
void DeriveGeometry(PageGeometry& geometry);

} // namespace zl
