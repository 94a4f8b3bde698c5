// The PCL 5 bitmap soft fonts a stream downloads: each font's header and
// characters read from their data, kept by font ID and character code,
// deleted by font control or a reset, and selected as the primary font by
// ID. Data that does not fit the PCL 5 layout of a portrait bitmap font is
// ignored. The fonts, the glyph sizes and the bytes kept are bounded, so
// memory stays finite whatever arrives.
#pragma once

#include "render/PageModel.h"
#include "render/PclParser.h"

#include <array>
#include <cstddef>
#include <map>
#include <memory>

namespace zl::render {

// A downloaded bitmap font: its cell in dots and the glyph of each code it
// has one for.
struct SoftFont {
    int cellWidth = 0, cellHeight = 0, baseline = 0; // the baseline from the cell's top
    std::array<std::shared_ptr<const BitmapGlyph>, 256> glyphs;
};

class SoftFontStore {
public:
    // ESC *c#D (the font ID that follows), ESC *c#E (the character code),
    // ESC *c#F (font control: 0 and 1 delete every font, all being
    // temporary; 2 the font of the current ID; 3 its character of the
    // current code; the others change nothing here).
    void Command(const PclCommand& command);
    // An ESC ( command: ESC (#X selects the font of that ID as primary
    // font, when there is one; a symbol set or a font characteristic
    // selects a resident face again. Returns whether the primary font
    // changed.
    bool Select(const PclCommand& command);
    // The data of ESC )s#W (a font header, for the current ID) or ESC (s#W
    // (a character of that font, under the current code).
    void Define(const PclCommand& command, const unsigned char* data, std::size_t size);
    // ESC E: the fonts deleted, a resident face selected.
    void Reset();
    // The page went out: the glyphs its runs held may be freed, and the
    // glyphs defined for the next page are counted afresh.
    void PageEjected() { bytesThisPage_ = 0; }

    // The font that prints, null while a resident face does, and its ID.
    const SoftFont* Selected() const;
    int SelectedId() const { return selected_; }

private:
    void DefineFont(const unsigned char* data, std::size_t size);
    void DefineCharacter(const unsigned char* data, std::size_t size);
    void Delete(int id);
    void DeleteGlyph(std::shared_ptr<const BitmapGlyph>& glyph);

    std::map<int, SoftFont> fonts_;
    int fontId_ = 0, code_ = 0;
    int selected_ = -1;             // no font
    std::size_t storedBytes_ = 0;   // of the glyphs kept
    std::size_t bytesThisPage_ = 0; // of the glyphs defined since the last page went out
};

} // namespace zl::render
