// A listing painted onto a paged device (a PDF writer, a printer, Qt's print
// preview): the text file is composed as for a PCL printer, its PCL is
// interpreted into pages, and each page is painted as it arrives, on a page
// of its own paper and orientation.
#pragma once

#include "engine/FileInputSource.h"
#include "engine/ListingCounts.h"
#include "engine/ListingOptions.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "render/PageModel.h"
#include "render/PclInterpreter.h"

#include <cstdint>
#include <functional>
#include <string>

class QPagedPaintDevice;
class QPageLayout;

namespace zl {
class ListingComposer;
}

namespace zl::render {

struct ListingSource {
    std::string textFile;
    ListingOptions options;
    const Clock* clock = nullptr;
    const LocaleNames* names = nullptr;
    PaperSize paper;
    InputOpener openInput = FileInputSource::Open; // what opens `textFile`
    // Where the counts of what did not print exactly go, if anywhere.
    ListingCounts* counts = nullptr;
};

// The options of `source` with the page laid out for its paper, unless
// they name another: what a listing drawn on that paper is composed with.
ListingOptions OptionsOnPaper(const ListingSource& source);

// Paints the listing of `source` onto `device`, or raises (zl::Exception;
// Interrupted once a stop signal arrived). `whenOpened` runs once the text
// file opened, before anything is painted; `afterPage` after each page, for
// a device that can fail while Qt writes (it raises then). A listing without
// pages still gets one, blank. Returns the number of pages painted.
int PaintListing(const ListingSource& source, QPagedPaintDevice& device,
                 const std::function<void()>& whenOpened = {},
                 const std::function<void()>& afterPage = {});

// The characters `composer` downloaded glyphs for, as the listing's PCL
// stream selects them (from kDownloadedFontId on).
DownloadedCharacterNamer DownloadedCharacters(const ListingComposer& composer);

// The page layout of `paper`, turned for landscape, without margins.
QPageLayout LayoutOf(const PaperSize& paper, bool landscape);

} // namespace zl::render
