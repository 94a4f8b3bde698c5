// The glyphs of the system's monospace face, DejaVu Sans Mono, drawn with
// FreeType at 300 dpi, one bit a dot, at the size whose advance is the
// listing's cell. FreeType and the face are loaded the first time a
// character is asked for; without them no character has a glyph (so on
// Windows, which has neither).
#pragma once

#include "engine/SoftFont.h"

#include <memory>
#include <optional>

namespace zl {

class SystemGlyphs {
public:
    // Glyphs for cells `cellWidth` dots wide.
    explicit SystemGlyphs(int cellWidth);
    ~SystemGlyphs();
    SystemGlyphs(const SystemGlyphs&) = delete;
    SystemGlyphs& operator=(const SystemGlyphs&) = delete;

    // Whether the face has a glyph for `c` that prints something.
    bool Has(char32_t c);
    // The glyph of `c`, drawn in the cell; none when the face has none.
    std::optional<GlyphBitmap> Draw(char32_t c);
    // The cell the glyphs are drawn in.
    SoftFontCell Cell();

private:
    struct Face;
    Face* Open();

    const int cellWidth_;
    bool opened_ = false;
    std::unique_ptr<Face> face_;
};

} // namespace zl
