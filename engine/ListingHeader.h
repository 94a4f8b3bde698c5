// The header line of a listing's pages: the file, the date and the page
// label, laid out on one line of the listing's width.
#pragma once

#include "engine/ListingText.h"

#include <cstdint>
#include <string>

namespace zl {

// Where the date starts (counted from 1): centred on a line of `width`.
std::int32_t DatePosition(std::int32_t width, const std::string& date);

// "  File: " and the path, cut so that it ends before column
// `datePosition` - 1: a longer path becomes "..." and its last
// `datePosition` - 13 characters, so one blank stays before the date.
std::string HeaderFileText(const std::string& path, std::int32_t datePosition);

// The same for a file's path: the path as ShortenPath shows it where that
// fits before the date; else the path itself cut as above, so that the
// header keeps its last characters after a single "...".
std::string HeaderPathText(const std::string& path, std::int32_t datePosition);

// The characters of `name` that the header shows after "  File: ", as
// HeaderPathText (a path) or HeaderFileText (a title) shows them.
ShownIndices HeaderNameIndices(const std::string& name, std::int32_t datePosition, bool path);

class ListingHeader {
public:
    // Lays out the line for `name` (a title, or a path already shortened)
    // and `date`, both one byte per character, on a line of `width`
    // characters; in landscape the page label ends one column before the
    // line's end.
    void Start(const std::string& name, const std::string& date, std::int32_t width,
               bool landscape);
    // The same for the full path of the listed file, shown as HeaderPathText
    // shows it.
    void StartWithPath(const std::string& path, const std::string& date, std::int32_t width,
                       bool landscape);

    // Puts the label of page `pageNumber` on the line, pushing what stood
    // there to the right, and gives the line as written: its first `width`
    // characters and CR LF.
    const std::string& NextPage(std::int32_t pageNumber);
    // The characters of the name the line shows, from column 9 on.
    const ShownIndices& NameShown() const { return nameShown_; }
    // Where the name's characters start on the line (counted from 0).
    static constexpr std::size_t kNameStart = 8;

private:
    void Lay(const std::string& fileText, const std::string& date, std::int32_t datePosition,
             std::int32_t width, bool landscape);

    ShownIndices nameShown_;
    std::string line_; // the first `width_` characters of the line
    std::string written_;
    std::int32_t width_ = 0;
    std::int32_t labelEnd_ = 0;
};

} // namespace zl
