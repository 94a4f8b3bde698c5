#include "render/ListingPageSource.h"

#include "engine/ListingComposer.h"
#include "platform/Exception.h"
#include "render/PclInterpreter.h"
#include "render/RenderSink.h"

#include <string>

namespace zl::render {

namespace {

// Takes every byte and keeps none.
class DiscardingSink : public ByteSink {
public:
    DiscardingSink() = default;
    void Write(const void*, std::int32_t) override {
        if (finished_)
            throw Exception("write after the end of the stream @ DiscardingSink::Write");
    }
    void Finish() override { finished_ = true; }

private:
    bool finished_ = false;
};

// Raised when the composition has passed the last page asked for.
struct PastLastPage {};

} // namespace

std::int32_t
ListingPageSource::CountPages(const std::function<void(std::int32_t page)>& pageStart) const {
    ListingOptions options = OptionsOnPaper(source_);
    options.pages = PageSelection();
    ListingComposer composer(options, *source_.clock, *source_.names, source_.openInput);
    composer.OnPageStart(pageStart);
    DiscardingSink sink;
    composer.Compose(source_.textFile, sink);
    sink.Finish();
    return composer.PagesComposed();
}

void ListingPageSource::ComposePages(
    std::int32_t first, std::int32_t last,
    const std::function<void(std::int32_t number, const Page& page)>& page) const {
    if (first < 1 || last < first)
        return;
    ListingOptions options = OptionsOnPaper(source_);
    options.pages = *PageSelection::Parse(std::to_string(first) + "-" + std::to_string(last));
    ListingComposer composer(options, *source_.clock, *source_.names, source_.openInput);
    std::int32_t next = first;
    PclInterpreter interpreter(
        source_.paper,
        [&](const Page& done) {
            if (next <= last)
                page(next++, done);
        },
        DownloadedCharacters(composer));
    composer.OnPageStart([last](std::int32_t number) {
        if (number > last)
            throw PastLastPage{};
    });
    RenderSink sink(interpreter);
    try {
        composer.Compose(source_.textFile, sink);
    } catch (const PastLastPage&) {
        // Everything of the last page is written.
    }
    sink.Finish();
}

} // namespace zl::render
