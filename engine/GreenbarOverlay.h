// The greenbar overlay: a PCL macro that shades every other band of text
// lines, made the automatic overlay of every page.
#pragma once

#include "engine/PageGeometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zl {

// A band height brought into 1 to 6 text lines.
std::int32_t ClampBarHeight(std::int32_t barHeight);

// The escape sequences of the overlay, one string per write, for a geometry
// whose derived values are set and a band height of 1 to 6 lines.
std::vector<std::string> OverlayPieces(const PageGeometry& geometry, std::int32_t barHeight);

} // namespace zl
