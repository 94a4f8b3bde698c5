// The pages of one listing composed on demand, for a preview that shows a
// file of any size at once. Counting composes the whole listing into
// nothing; a range of pages is composed through the PCL interpreter when it
// is wanted, writing only those pages as a page selection does, so that the
// downloaded glyphs and symbol sets a page needs come with it and a page
// reached directly draws as in the whole listing. Nothing is kept between
// calls: memory does not grow with the file.
#pragma once

#include "render/ListingPainter.h"
#include "render/PageModel.h"

#include <cstdint>
#include <functional>

namespace zl::render {

class ListingPageSource {
public:
    // Pages of `source`, whose clock should stand still so that every
    // composition dates its headers alike.
    explicit ListingPageSource(ListingSource source) : source_(std::move(source)) {}

    // Composes the whole listing into nothing, `pageStart(n)` running as
    // page n begins (it may raise to stop); returns the number of pages, or
    // raises as a listing does.
    std::int32_t CountPages(const std::function<void(std::int32_t page)>& pageStart) const;

    // Composes pages `first` to `last` (from 1) and hands each to `page`
    // with its number once it is complete, then stops; pages past the end
    // do not come. Raises as a listing does.
    void ComposePages(std::int32_t first, std::int32_t last,
                      const std::function<void(std::int32_t number, const Page& page)>& page) const;

    const ListingSource& Source() const { return source_; }

private:
    ListingSource source_;
};

} // namespace zl::render
