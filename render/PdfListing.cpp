#include "render/PdfListing.h"

#include "engine/ListingComposer.h"
#include "engine/SoftFont.h"
#include "platform/Interruption.h"
#include "render/GuiApplication.h"
#include "render/ListingFaces.h"
#include "render/PclInterpreter.h"
#include "render/PdfDocument.h"
#include "render/RenderSink.h"

namespace zl::render {

int WriteListingPdf(const ListingSource& source, ByteSink& out, const std::string& title,
                    const std::function<void()>& whenOpened) {
    RequireGuiApplication();
    const ListingFaces faces;
    PdfDocument document(out, faces, source.paper);
    ListingComposer composer(OptionsOnPaper(source), *source.clock, *source.names,
                             source.openInput);
    PclInterpreter interpreter(
        source.paper,
        [&document](const Page& page) {
            ThrowIfStopped();
            document.Add(page);
        },
        DownloadedCharacters(composer));
    RenderSink sink(interpreter);
    composer.Compose(source.textFile, sink, whenOpened);
    sink.Finish();
    if (source.counts)
        *source.counts = composer.Counts();
    return document.Finish(title);
}

} // namespace zl::render
