#include "engine/PageSelection.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <limits>

namespace zl {

namespace {

// The page number at the front of [next, end), moving `next` past it; none
// without a digit, at 0 or beyond what a page number can be.
std::optional<std::int32_t> TakeNumber(const char*& next, const char* end) {
    std::int32_t number = 0;
    const auto [after, error] = std::from_chars(next, end, number);
    if (error != std::errc() || after == next || number < 1)
        return std::nullopt;
    next = after;
    return number;
}

} // namespace

std::optional<PageSelection> PageSelection::Parse(const std::string& text) {
    PageSelection selection;
    const char* next = text.data();
    const char* const end = next + text.size();
    for (;;) {
        const std::optional<std::int32_t> first = TakeNumber(next, end);
        if (!first)
            return std::nullopt;
        Range range{*first, *first};
        if (next != end && *next == '-') {
            ++next;
            if (next == end || *next == ',') {
                range.last = std::numeric_limits<std::int32_t>::max();
            } else {
                const std::optional<std::int32_t> last = TakeNumber(next, end);
                if (!last || *last < *first)
                    return std::nullopt;
                range.last = *last;
            }
        }
        selection.ranges_.push_back(range);
        if (next == end)
            break;
        if (*next != ',')
            return std::nullopt;
        ++next;
    }
    selection.text_ = text;
    selection.Merge();
    return selection;
}

// The ranges in order and apart, overlapping and touching ones made one, so
// that a page is looked up among them in logarithmic time.
void PageSelection::Merge() {
    std::sort(ranges_.begin(), ranges_.end(),
              [](const Range& a, const Range& b) { return a.first < b.first; });
    std::vector<Range> merged;
    for (const Range& range : ranges_) {
        if (!merged.empty() && range.first - 1 <= merged.back().last) // pages from 1
            merged.back().last = std::max(merged.back().last, range.last);
        else
            merged.push_back(range);
    }
    ranges_ = std::move(merged);
}

bool PageSelection::Contains(std::int32_t page) const {
    if (ranges_.empty())
        return true;
    // The last range that starts at or before the page.
    const auto after = std::upper_bound(ranges_.begin(), ranges_.end(), page,
                                        [](std::int32_t p, const Range& r) { return p < r.first; });
    return after != ranges_.begin() && page <= std::prev(after)->last;
}

} // namespace zl
