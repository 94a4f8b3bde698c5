// A listing written as a PDF file: the text file is composed as for the
// printer, its PCL is interpreted into pages and each page is painted into
// the PDF as it arrives, the text as text in an embedded font.
#pragma once

#include "engine/ListingOptions.h"
#include "engine/PageGeometry.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "render/PageModel.h"

#include <string>

namespace zl::render {

// Writes the listing of `textFile` into `pdfPath` on `paper`, or raises
// (zl::Exception; Interrupted once a stop signal arrived). The file is
// opened before anything is written, so one that cannot be opened leaves
// nothing. `pdfPath` is written as `zellist -o` writes a file: into a
// temporary beside it that takes its place only once complete, so a failure
// leaves what was there as it was. Starts an offscreen Qt GUI application
// when none runs, for the fonts and the PDF writer.
void WriteListingPdf(const std::string& pdfPath, const std::string& textFile,
                     const ListingOptions& options, PageGeometry& geometry, const Clock& clock,
                     const LocaleNames& names, const PaperSize& paper);

} // namespace zl::render
