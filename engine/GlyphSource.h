// Where the glyphs of a listing's downloaded font come from: a face that
// draws characters no resident symbol set has, in the cell of the listing's
// face.
#pragma once

#include "engine/SoftFont.h"

#include <optional>

namespace zl {

class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    // Whether the face has a glyph for `c` that prints something.
    virtual bool Has(char32_t c) = 0;
    // The glyph of `c`, drawn in the cell; none when the face has none.
    virtual std::optional<GlyphBitmap> Draw(char32_t c) = 0;
    // The cell the glyphs are drawn in.
    virtual SoftFontCell Cell() = 0;
};

} // namespace zl
