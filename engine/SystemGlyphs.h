// The glyphs of the characters the listing's face lacks, drawn with
// FreeType at 300 dpi, one bit a dot, to match that face: each from the
// first of a list of faces (found through fontconfig) that has the
// character, scaled so its capitals stand as tall as the face's, and kept
// inside its line and its cell. FreeType, fontconfig and the faces are
// loaded the first time a character is asked for; without them no
// character has a glyph (so on Windows, which has neither).
#pragma once

#include "engine/SoftFont.h"

#include <memory>
#include <optional>
#include <string>

namespace zl {

struct ListingOptions;

class SystemGlyphs {
public:
    // Glyphs for the listing's face, pitch and lines.
    explicit SystemGlyphs(const ListingOptions& options);
    // Glyphs for cells `cellWidth` dots wide beside Courier, or beside the
    // Line Printer face, on lines `lineHeight` dots apart.
    explicit SystemGlyphs(int cellWidth, bool linePrinter = false, double lineHeight = 50);
    ~SystemGlyphs();
    SystemGlyphs(const SystemGlyphs&) = delete;
    SystemGlyphs& operator=(const SystemGlyphs&) = delete;

    // Whether a face has a glyph for `c` that prints something.
    bool Has(char32_t c, bool wide = false);
    // The glyph of `c`, drawn in the cell (two cells for a `wide` one: CJK,
    // Hangul); none when no face has one.
    std::optional<GlyphBitmap> Draw(char32_t c, bool wide = false);
    // A character and its combining marks drawn as one glyph in one cell
    // (Unicode composes no one character of them); none where a face lacks
    // one of them.
    std::optional<GlyphBitmap> Draw(const std::u32string& cluster);
    // The cell the glyphs are drawn in: as wide as the face's (or two) and
    // as tall as the line.
    SoftFontCell Cell(bool wide = false);

private:
    struct Faces;
    Faces* Open();

    const int cellWidth_;
    const bool linePrinter_;
    const double lineHeight_;
    bool opened_ = false;
    std::unique_ptr<Faces> faces_;
};

} // namespace zl
