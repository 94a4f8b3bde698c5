// A PDF document of listing pages: each page written as it is added, then
// the fonts, the page tree, the catalog and the information dictionary.
#pragma once

#include "platform/ByteSink.h"
#include "render/ListingFaces.h"
#include "render/PageModel.h"
#include "render/PdfFonts.h"
#include "render/PdfPages.h"
#include "render/PdfWriter.h"

#include <string>

namespace zl::render {

class PdfDocument {
public:
    // Pages without a paper of their own are on `paper`.
    PdfDocument(ByteSink& out, const ListingFaces& faces, const PaperSize& paper);

    void Add(const Page& page) { pages_.Add(page); }
    // Completes the document, titled `title` (UTF-8); one without pages
    // gets one, blank. Returns the number of pages.
    int Finish(const std::string& title);

private:
    PdfWriter writer_;
    PdfFonts fonts_;
    PdfPages pages_;
};

} // namespace zl::render
