// Where each character of a listing prints from: the listing's own symbol
// set when it has the character; else the first of the other sets, in the
// order given, that has it; else a glyph of the listing's downloaded font,
// when it may download one; else the own set's one character that the
// system's converter comes nearest with. Otherwise it is not printed. Greek
// prints from the font first, so that a word is in one face; without it,
// from the sets (the Greek mu as the micro sign).
#pragma once

#include "engine/SymbolSet.h"
#include "engine/SystemGlyphs.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace zl {

class CharacterSets {
public:
    // `others` in the order they are tried; the own set among them is left
    // out. `glyphs` (borrowed; none: no font is downloaded) draws the
    // downloaded fonts' characters, up to kDownloadedGlyphLimit in each of
    // kMaxDownloadedFonts fonts.
    CharacterSets(SymbolSet own, const std::vector<SymbolSet>& others,
                  SystemGlyphs* glyphs = nullptr);

    struct Choice {
        // 0: the own set, 1 on: the others in order, then the downloaded
        // fonts (from Downloaded() on); -1: none.
        int set;
        unsigned char byte; // the character's byte in that set, its code in the font
        // Not the character itself but one near it in the own set.
        bool nearEnough = false;
    };
    // Where `c` (not a control character) prints from. ASCII prints from
    // every set alike: the own set.
    Choice Choose(char32_t c);
    // A code of a downloaded font for a character and its combining marks
    // drawn as one glyph; none where they cannot be drawn so.
    std::optional<Choice> ChooseCluster(const std::u32string& cluster);
    SymbolSet SetAt(int index) const { return sets_[static_cast<std::size_t>(index)]; }
    // The number the first downloaded font goes by as a set; font k is set
    // Downloaded() + k, with ID kDownloadedFontId + k.
    int Downloaded() const { return static_cast<int>(sets_.size()); }
    bool IsFont(int set) const { return set >= Downloaded(); }
    int FontId(int set) const { return kDownloadedFontId + set - Downloaded(); }
    // Whether the font of `set` has glyphs two cells wide.
    bool WideFont(int set) const { return fonts_[FontIndex(set)].wide; }
    SystemGlyphs* Glyphs() const { return glyphs_; }
    // The character given `code` in the font of `set`; 0 for none.
    char32_t GlyphCharacter(int set, unsigned char code) const {
        return fonts_[FontIndex(set)].characters[code];
    }
    // The character and its marks given `code` as one glyph; empty for
    // a code of one character.
    std::u32string GlyphCluster(int set, unsigned char code) const {
        const auto& clusters = fonts_[FontIndex(set)].clusters;
        const auto found = clusters.find(code);
        return found == clusters.end() ? std::u32string() : found->second;
    }

private:
    struct Font {
        bool wide = false;
        int given = 0; // codes
        std::array<char32_t, 256> characters{};
        std::map<unsigned char, std::u32string> clusters; // the codes of marked characters
    };

    Choice Find(char32_t c);
    std::optional<Choice> Glyph(char32_t c);
    // The last font of glyphs `wide` or not while it has a code free, else
    // a new one (its index is the number of fonts); none past
    // kMaxDownloadedFonts.
    std::optional<std::size_t> FontWithRoom(bool wide) const;
    // The next code of font `index` (created when new) for `c`.
    Choice Give(std::size_t index, bool wide, char32_t c);
    std::size_t FontIndex(int set) const { return static_cast<std::size_t>(set - Downloaded()); }

    std::vector<SymbolSet> sets_; // the own first
    SystemGlyphs* glyphs_;
    std::vector<Font> fonts_;
    std::unordered_map<char32_t, Choice> chosen_;
    std::map<std::u32string, std::optional<Choice>> clusters_;
};

// The other sets a listing may print from, from a list of PCL IDs such as
// "19U,9E,5N": empty text, the default (the other of PC-8 and Roman-8, then
// Windows Latin 1, Windows Latin 2, Latin 5); "none", no other set. None for
// a list with an ID the program does not know, which `unknown` then holds.
std::optional<std::vector<SymbolSet>> OtherSymbolSets(const std::string& list, SymbolSet own,
                                                      std::string* unknown = nullptr);

} // namespace zl
