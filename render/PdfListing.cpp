#include "render/PdfListing.h"

#include "engine/ListingComposer.h"
#include "platform/Interruption.h"
#include "render/GuiApplication.h"
#include "render/ListingFaces.h"
#include "render/PclInterpreter.h"
#include "render/PdfFonts.h"
#include "render/PdfPages.h"
#include "render/PdfWriter.h"
#include "render/RenderSink.h"

namespace zl::render {

int WriteListingPdf(const ListingSource& source, ByteSink& out, const std::string& title,
                    const std::function<void()>& whenOpened) {
    RequireGuiApplication();
    const ListingFaces faces;
    PdfWriter writer(out);
    PdfFonts fonts(faces, writer);
    PdfPages pages(writer, fonts, faces, source.paper);
    ListingComposer composer(source.options, *source.clock, *source.names, source.openInput);
    PclInterpreter interpreter(source.paper, [&pages](const Page& page) {
        ThrowIfStopped();
        pages.Add(page);
    });
    RenderSink sink(interpreter);
    composer.Compose(source.textFile, sink, whenOpened);
    sink.Finish();
    pages.Finish();
    fonts.WriteAll();
    const int catalog = writer.Reserve();
    writer.WriteObject(catalog,
                       "<</Type/Catalog/Pages " + std::to_string(pages.TreeObject()) + " 0 R>>");
    const int info = writer.Reserve();
    writer.WriteObject(info,
                       "<</Title" + PdfTextString(title) + "/Creator(ZelList)/Producer(ZelList)>>");
    writer.Finish(catalog, info);
    return pages.Count();
}

} // namespace zl::render
