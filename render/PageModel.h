// A listing's pages as a PCL 5 printer draws them: positioned runs of text
// and shaded rectangles, in 300-dpi dots from the top left corner of the
// physical page. The PCL interpreter fills it; painters draw it on screen,
// into a PDF or onto any printer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zl::render {

constexpr int kLinePrinterTypeface = 0;

// A paper form: its name and size in 300-dpi dots, portrait.
struct PaperSize {
    std::string name; // "Letter", "A4", "Legal", ...
    double width = 0;
    double height = 0;

    static PaperSize Letter();
    static PaperSize A4();
    static PaperSize Legal();
    // The form called `name` (case-insensitive: letter, a4, legal, ...);
    // false when none is known by that name.
    static bool Named(const std::string& name, PaperSize& out);
};

// The font a run of text is printed in.
struct FontChoice {
    double pitch = 10;   // characters per inch
    double height = 12;  // points
    int typeface = 4099; // PCL typeface number: 4099 Courier, 0 Line Printer
};

// The printer's fixed-pitch escapement in dots, kept in 1/7200 inch:
// 16.67 cpi advances exactly 18 dots (0.06 in), 10 cpi 30 dots.
double CellWidth(double pitch);

// Characters on one line of the page, one advance (the cell of the pitch)
// apart.
struct TextRun {
    double x = 0;        // left edge of the first character cell, dots
    double baseline = 0; // dots from the top of the physical page
    std::u32string text;
    FontChoice font;
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
