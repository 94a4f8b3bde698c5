// The fonts of a PDF listing: for each face, Type 3 fonts whose glyphs are
// the face's outlines (the fallback's for characters it lacks), each drawn
// in the face's advance, so that a run is one string shown at the pitch.
// Printable ASCII keeps its own codes, so the page content reads as the
// text; other characters get free codes, and a face whose 256 codes are
// used up gets another font. The glyphs of downloaded bitmap fonts go into
// Type 3 fonts of their own, each drawn as an image mask of its bits in
// dots, under the character it stands for. A ToUnicode map and glyph names
// keep the text searchable and copyable. Only the characters used are
// written, once the document is complete.
#pragma once

#include "render/ListingFaces.h"
#include "render/PdfWriter.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace zl::render {

class PdfFonts {
public:
    PdfFonts(const ListingFaces& faces, PdfWriter& writer);
    ~PdfFonts();
    PdfFonts(const PdfFonts&) = delete;
    PdfFonts& operator=(const PdfFonts&) = delete;

    // A character as a font draws it: the font's number (its resource is
    // "/F" and the number) and its code there.
    struct Coded {
        int font = 0;
        unsigned char code = 0;
    };
    // The font and code of `c` in a run drawn in `face`.
    Coded Encode(Face face, char32_t c);
    // The font and code of a cell of a run printed from a downloaded font:
    // `glyph` (null for a blank) standing for `c`, `advance` dots wide. Such
    // fonts are shown at size 1: their glyph space is in dots.
    Coded EncodeGlyph(const std::shared_ptr<const BitmapGlyph>& glyph, char32_t c, double advance);
    // The object of font `font`.
    int ObjectOf(int font) const;
    // Writes every font with the glyphs of the characters encoded.
    void WriteAll();

private:
    struct Font;
    // A code for `c` in the first font of `key` that has one free.
    Coded Place(int key, char32_t c);
    bool Take(Font& font, char32_t c, unsigned char& code);
    void WriteFont(const Font& font);
    std::string GlyphProcedure(const Font& font, char32_t c, std::array<double, 4>& box) const;

    const ListingFaces& faces_;
    PdfWriter& writer_;
    std::vector<std::unique_ptr<Font>> fonts_;
    std::unordered_map<char32_t, Coded> coded_[kFaceCount];
    // The cells of downloaded fonts by glyph, character and advance; the
    // fonts keep the glyphs.
    std::map<std::tuple<const BitmapGlyph*, char32_t, double>, Coded> glyphsCoded_;
};

} // namespace zl::render
