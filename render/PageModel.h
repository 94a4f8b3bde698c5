// A listing's pages as a PCL 5 printer draws them: positioned runs of text
// and shaded rectangles, in 300-dpi dots from the top left corner of the
// physical page. The PCL interpreter fills it; painters draw it on screen,
// into a PDF or onto any printer.
#pragma once

#include "engine/ListingOptions.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zl::render {

constexpr int kLinePrinterTypeface = 0;

// A paper form: its name and size in 300-dpi dots, portrait.
struct PaperSize {
    std::string name; // "Letter", "A4", "Legal", ...
    double width = 0;
    double height = 0;

    static PaperSize Of(const Paper& paper);
    static PaperSize Letter();
    static PaperSize A4();
    static PaperSize Legal();
    // The form called `name` (case-insensitive: letter, a4, legal, ...);
    // false when none is known by that name.
    static bool Named(const std::string& name, PaperSize& out);
    // The form of PCL paper size code `code` (ESC &l#A); false for none.
    static bool OfPclCode(int code, PaperSize& out);
};

// The paper a listing lays its page out for on `paper`: A4, Legal or
// Letter by its name; none (Letter's widths) for the others.
PaperRequest PaperOfSize(const PaperSize& paper);

// The font a run of text is printed in.
struct FontChoice {
    double pitch = 10;   // characters per inch
    double height = 12;  // points
    int typeface = 4099; // PCL typeface number: 4099 Courier, 0 Line Printer
    bool bold = false;   // stroke weight bold (ESC ( s 3 B) or heavier
    bool italic = false; // style italic (ESC ( s 1 S)
};

// The printer's fixed-pitch escapement in dots, kept in 1/7200 inch:
// 16.67 cpi advances exactly 18 dots (0.06 in), 10 cpi 30 dots.
double CellWidth(double pitch);

// A character of a downloaded bitmap font, in dots: rows of bits from the
// top, each padded to whole bytes, the most significant bit leftmost (a set
// bit is black); its left edge from the cell's left, its top above the
// baseline.
struct BitmapGlyph {
    int left = 0, top = 0, width = 0, height = 0;
    double advance = 0; // to the next cell
    std::vector<unsigned char> rows;

    int RowBytes() const { return (width + 7) / 8; }
    bool Bit(int x, int y) const {
        return (rows[static_cast<std::size_t>(y * RowBytes() + x / 8)] >> (7 - x % 8)) & 1;
    }
};

// Characters on one line of the page, one advance (the cell of the pitch)
// apart.
struct TextRun {
    TextRun() = default;
    TextRun(double x, double baseline, std::u32string text, FontChoice font)
        : x(x), baseline(baseline), text(std::move(text)), font(font) {}

    double x = 0;        // left edge of the first character cell, dots
    double baseline = 0; // dots from the top of the physical page
    std::u32string text;
    FontChoice font;
    // Printed from a downloaded bitmap font (glyphAdvance > 0): the glyph of
    // each character of `text` (null for a blank cell), the cells
    // glyphAdvance dots apart; `font` is then not used. Shared with the
    // font, so that a page stays whole whatever the stream deletes later.
    std::vector<std::shared_ptr<const BitmapGlyph>> glyphs;
    double glyphAdvance = 0;
};

// A filled rectangle.
struct ShadedRect {
    double x = 0, y = 0, width = 0, height = 0; // dots
    int shadePercent = 100;                     // 100 = black
};

struct Page {
    PaperSize paper;
    bool landscape = false;        // x and y then run along the turned page
    std::vector<ShadedRect> rects; // in drawing order, under the text
    std::vector<TextRun> runs;
};

// Receives each page once it is complete, so that memory does not grow with
// the page count.
using PageSink = std::function<void(const Page& page)>;

} // namespace zl::render
