#include "render/PdfDocument.h"

namespace zl::render {

PdfDocument::PdfDocument(ByteSink& out, const ListingFaces& faces, const PaperSize& paper)
    : writer_(out), fonts_(faces, writer_), pages_(writer_, fonts_, faces, paper) {}

int PdfDocument::Finish(const std::string& title) {
    pages_.Finish();
    fonts_.WriteAll();
    const int catalog = writer_.Reserve();
    writer_.WriteObject(catalog,
                        "<</Type/Catalog/Pages " + std::to_string(pages_.TreeObject()) + " 0 R>>");
    const int info = writer_.Reserve();
    writer_.WriteObject(info, "<</Title" + PdfTextString(title) +
                                  "/Creator(ZelList)/Producer(ZelList)>>");
    writer_.Finish(catalog, info);
    return pages_.Count();
}

} // namespace zl::render
