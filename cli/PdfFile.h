// A listing's PDF written into a file as `zellist -o` writes one: into a
// temporary beside it that takes its place only once complete, so a failure
// leaves what was there as it was, and a text file that cannot be opened
// leaves nothing.
#pragma once

#include "render/ListingPainter.h"

#include <string>

namespace zl::cli {

// Writes the PDF of `source` into `pdfPath`, or raises; its number of pages.
int WritePdfFile(const std::string& pdfPath, const render::ListingSource& source);

} // namespace zl::cli
