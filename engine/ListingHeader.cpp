#include "engine/ListingHeader.h"

#include "engine/ListingText.h"

namespace zl {

namespace {

const std::string kFileLabel = "  File: ";
const std::string kDots = "...";

} // namespace

std::int32_t DatePosition(std::int32_t width, const std::string& date) {
    return width / 2 - static_cast<std::int32_t>(date.size() / 2);
}

std::string HeaderFileText(const std::string& path, std::int32_t datePosition) {
    const std::int64_t room = static_cast<std::int64_t>(datePosition) - 2;
    if (static_cast<std::int64_t>(kFileLabel.size() + path.size()) <= room)
        return kFileLabel + path;
    const std::int64_t tail = room - static_cast<std::int64_t>(kFileLabel.size() + kDots.size());
    const std::size_t keep = tail > 0 ? static_cast<std::size_t>(tail) : 0;
    return kFileLabel + kDots + path.substr(path.size() - keep);
}

void ListingHeader::Start(const std::string& path, const std::string& date, std::int32_t width,
                          bool landscape) {
    width_ = width > 0 ? width : 0;
    labelEnd_ = landscape ? width - 1 : width;
    const std::int32_t datePosition = DatePosition(width, date);
    line_.assign(static_cast<std::size_t>(width_), ' ');
    InsertAt(line_, HeaderFileText(path, datePosition), 1);
    InsertAt(line_, date, datePosition);
    line_.resize(static_cast<std::size_t>(width_));
}

// Only the first `width_` characters are ever written, and an insertion
// within them moves nothing from beyond them back in: the line is kept at
// that length, so its cost does not grow with the page count.
const std::string& ListingHeader::NextPage(std::int32_t pageNumber) {
    const std::string label = PageLabelText(pageNumber);
    InsertAt(line_, label, labelEnd_ - static_cast<std::int32_t>(label.size()) + 1);
    line_.resize(static_cast<std::size_t>(width_));
    written_.assign(line_);
    written_.append("\r\n");
    return written_;
}

} // namespace zl
