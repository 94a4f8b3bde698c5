#include "engine/PageSelection.h"

#include <charconv>
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
    return selection;
}

bool PageSelection::Contains(std::int32_t page) const {
    if (ranges_.empty())
        return true;
    for (const Range& range : ranges_)
        if (page >= range.first && page <= range.last)
            return true;
    return false;
}

} // namespace zl
