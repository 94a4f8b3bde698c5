// The pages of a PDF listing, each written as it arrives: the shaded
// rectangles in their grey, then each run of text as one string in the
// listing's fonts, scaled sideways so that every character keeps its cell
// (glyphs of downloaded fonts in theirs, unscaled).
// The rectangles of a page are a form drawn on every page that has the same
// (a listing's bands); the fonts, the forms and the paper of the first page
// are the page tree's, which every page takes unless it has a paper of its
// own.
#pragma once

#include "render/PageModel.h"
#include "render/PdfFonts.h"
#include "render/PdfWriter.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace zl::render {

class PdfPages {
public:
    // Pages without a paper of their own are on `paper`.
    PdfPages(PdfWriter& writer, PdfFonts& fonts, const ListingFaces& faces, PaperSize paper);

    void Add(const Page& page);
    // A document without pages gets one, blank. Writes the page tree.
    void Finish();
    int Count() const { return static_cast<int>(pages_.size()); }
    // The page tree's object.
    int TreeObject() const { return tree_; }

private:
    // The content of `page` on paper of `width` x `height` dots.
    std::string Content(const Page& page, double width, double height);
    // "/B<n> Do", the form of the page's rectangles.
    std::string DrawRects(const Page& page, double width, double height);
    void AppendRun(std::string& content, const TextRun& run, double heightInDots);

    PdfWriter& writer_;
    PdfFonts& fonts_;
    const ListingFaces& faces_;
    PaperSize paper_;
    int tree_;
    std::vector<int> pages_;
    std::string mediaBox_; // the first page's, the tree's
    std::set<int> fontsUsed_;
    std::map<std::string, int> forms_; // the rectangles' drawing, and its form's number
    // The text state of the page being written.
    struct TextState {
        int font = 0;
        double size = 0, scale = 100, lineX = 0, lineY = 0;
    } text_;
};

} // namespace zl::render
