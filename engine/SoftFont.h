// PCL 5 bitmap soft fonts as a listing downloads them: one temporary font,
// its glyphs drawn in the cell of the listing's face, for the characters no
// resident symbol set has. The printer deletes it at the next reset.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zl {

// The ID the listing's first font is downloaded and selected under; its
// others (for more characters, or two cells wide for CJK and Hangul) count
// up from it.
constexpr int kDownloadedFontId = 901;
// The fonts a listing downloads at most: 3990 characters.
constexpr int kMaxDownloadedFonts = 21;

// The codes the font gives glyphs, in order: 33 to 126, then 160 to 255
// (a font of type 1 prints those; the blank and controls keep their roles).
// Past them a listing downloads no more.
constexpr int kFirstGlyphCode = 33;
constexpr int kDownloadedGlyphLimit = 94 + 96;
int GlyphCode(int index);

// The character cell, in 300-dpi dots.
struct SoftFontCell {
    int width = 0;    // the advance: 300 / pitch
    int height = 0;   // from the top of the cell to its bottom
    int baseline = 0; // from the top of the cell
};

// A glyph: rows of bits from the top, each row padded to whole bytes, the
// most significant bit leftmost; placed by its left edge from the cell's
// left and its top above the baseline.
struct GlyphBitmap {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rows;

    int RowBytes() const { return (width + 7) / 8; }
    bool Bit(int x, int y) const {
        return (rows[static_cast<std::size_t>(y * RowBytes() + x / 8)] >> (7 - x % 8)) & 1;
    }
};

// ESC * c # D, then the 64-byte font header: defines font `fontId`.
std::string SoftFontHeader(const SoftFontCell& cell, int fontId = kDownloadedFontId);
// ESC * c # D: the font the next character downloads go to.
std::string FontIdCommand(int fontId);
// ESC * c # E, then the character descriptor and its bitmap: defines the
// glyph of `code` in the font.
std::string CharacterDownload(int code, const GlyphBitmap& glyph, const SoftFontCell& cell);

} // namespace zl
