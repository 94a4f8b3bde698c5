// The units and margins the PCL interpreter's parts share.
#pragma once

namespace zl::render {

constexpr double kDotsPerInch = 300;
// What two positions may differ by and still be the same.
constexpr double kEpsilon = 1e-6;
// Default margins: the text area begins and ends half an inch from the top
// and bottom of the logical page.
constexpr double kHalfInch = 150;

} // namespace zl::render
