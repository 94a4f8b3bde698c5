// A listing written as a PDF: the text file is composed as for the printer,
// its PCL is interpreted into pages and each page is written into the PDF as
// it arrives, the text as text in fonts drawn from the printer's faces.
#pragma once

#include "platform/ByteSink.h"
#include "render/ListingPainter.h"

#include <functional>
#include <string>

namespace zl::render {

// Writes the listing of `source` as a PDF titled `title` into `out`, or
// raises (zl::Exception; Interrupted once a stop signal arrived).
// `whenOpened` runs once the text file is open, before the first byte is
// written. Starts an offscreen Qt GUI application when none runs, for the
// fonts. Returns the number of pages.
int WriteListingPdf(const ListingSource& source, ByteSink& out, const std::string& title,
                    const std::function<void()>& whenOpened = {});

} // namespace zl::render
