#include "engine/ListingHeader.h"

#include "engine/ListingText.h"

#include <algorithm>

namespace zl {

namespace {

const std::string kFileLabel = "  File: ";
const std::string kDots = "...";

// Whether "  File: " and `text` end before column `datePosition` - 1.
bool FitsBeforeDate(const std::string& text, std::int32_t datePosition) {
    return static_cast<std::int64_t>(kFileLabel.size() + text.size()) <=
           static_cast<std::int64_t>(datePosition) - 2;
}

} // namespace

std::int32_t DatePosition(std::int32_t width, const std::string& date) {
    return width / 2 - static_cast<std::int32_t>(date.size() / 2);
}

ShownIndices HeaderNameIndices(const std::string& name, std::int32_t datePosition, bool path) {
    ShownIndices shown;
    if (path)
        shown = ShortenedPathIndices(name);
    if (!path || !FitsBeforeDate(ShownText(name, shown), datePosition)) {
        shown.clear();
        for (std::size_t i = 0; i < name.size(); ++i)
            shown.push_back(static_cast<std::int64_t>(i));
    }
    if (FitsBeforeDate(ShownText(name, shown), datePosition))
        return shown;
    // A longer text becomes "..." and its last characters.
    const std::int64_t tail = static_cast<std::int64_t>(datePosition) - 2 -
                              static_cast<std::int64_t>(kFileLabel.size() + kDots.size());
    const std::size_t keep = std::min(shown.size(), tail > 0 ? static_cast<std::size_t>(tail) : 0);
    ShownIndices cut(kDots.size(), kDot);
    cut.insert(cut.end(), shown.end() - static_cast<std::ptrdiff_t>(keep), shown.end());
    return cut;
}

std::string HeaderFileText(const std::string& path, std::int32_t datePosition) {
    return kFileLabel + ShownText(path, HeaderNameIndices(path, datePosition, false));
}

std::string HeaderPathText(const std::string& path, std::int32_t datePosition) {
    return kFileLabel + ShownText(path, HeaderNameIndices(path, datePosition, true));
}

void ListingHeader::Start(const std::string& name, const std::string& date, std::int32_t width,
                          bool landscape) {
    const std::int32_t datePosition = DatePosition(width, date);
    nameShown_ = HeaderNameIndices(name, datePosition, false);
    Lay(kFileLabel + ShownText(name, nameShown_), date, datePosition, width, landscape);
}

void ListingHeader::StartWithPath(const std::string& path, const std::string& date,
                                  std::int32_t width, bool landscape) {
    const std::int32_t datePosition = DatePosition(width, date);
    nameShown_ = HeaderNameIndices(path, datePosition, true);
    Lay(kFileLabel + ShownText(path, nameShown_), date, datePosition, width, landscape);
}

void ListingHeader::Lay(const std::string& fileText, const std::string& date,
                        std::int32_t datePosition, std::int32_t width, bool landscape) {
    width_ = width > 0 ? width : 0;
    labelEnd_ = landscape ? width - 1 : width;
    line_.assign(static_cast<std::size_t>(width_), ' ');
    InsertAt(line_, fileText, 1);
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
