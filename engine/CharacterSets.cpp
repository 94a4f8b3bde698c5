#include "engine/CharacterSets.h"

#include "engine/Transliteration.h"
#include "engine/UnicodeText.h"

#include <algorithm>

namespace zl {

CharacterSets::CharacterSets(SymbolSet own, const std::vector<SymbolSet>& others,
                             SystemGlyphs* glyphs)
    : sets_{own}, glyphs_(glyphs) {
    for (const SymbolSet set : others)
        if (std::find(sets_.begin(), sets_.end(), set) == sets_.end())
            sets_.push_back(set);
}

CharacterSets::Choice CharacterSets::Choose(char32_t c) {
    if (c >= 32 && c <= 126) // without a look at any set's map: ASCII needs none built
        return {0, static_cast<unsigned char>(c)};
    const auto known = chosen_.find(c);
    if (known != chosen_.end())
        return known->second;
    const Choice choice = Find(c);
    chosen_.emplace(c, choice);
    return choice;
}

namespace {

// Greek letters, which a word mixes from PC-8's few (α π σ ...) and a
// downloaded font's others unless all print from the font.
bool IsGreek(char32_t c) {
    return (c >= 0x370 && c <= 0x3ff) || (c >= 0x1f00 && c <= 0x1fff);
}

// PC-8 and Roman-8 have the micro sign, which is the Greek mu.
constexpr char32_t kGreekMu = 0x3bc, kMicroSign = 0xb5;

} // namespace

CharacterSets::Choice CharacterSets::Find(char32_t c) {
    if (IsGreek(c)) { // one face for the script where the font draws it
        if (const std::optional<Choice> glyph = Glyph(c))
            return *glyph;
    }
    unsigned char byte = 0;
    for (std::size_t set = 0; set < sets_.size(); ++set)
        if (SymbolSetMapOf(sets_[set]).Find(c == kGreekMu ? kMicroSign : c, byte))
            return {static_cast<int>(set), byte};
    if (const std::optional<Choice> glyph = Glyph(c))
        return *glyph;
    // Near enough: one character that the own set prints; several would
    // take more than the character's column.
    const std::string near = Transliterated(c, InfoOf(sets_[0]).converterName);
    if (near.size() == 1) {
        byte = static_cast<unsigned char>(near[0]);
        const bool printable = (byte >= 32 && byte <= 126) || byte >= 160 ||
                               (byte >= 128 && !InfoOf(sets_[0]).upperControls);
        if (printable)
            return {0, byte, true};
    }
    return {-1, '?'};
}

// A code for `c` in the last downloaded font of its width (two cells for a
// wide character), or in a new one when that is full, while the listing may
// download more and a face draws it.
std::optional<CharacterSets::Choice> CharacterSets::Glyph(char32_t c) {
    if (!glyphs_)
        return std::nullopt;
    const bool wide = ColumnWidth(c) == 2;
    const std::optional<std::size_t> index = FontWithRoom(wide);
    if (!index || !glyphs_->Has(c, wide))
        return std::nullopt;
    return Give(*index, wide, c);
}

std::optional<std::size_t> CharacterSets::FontWithRoom(bool wide) const {
    for (std::size_t k = fonts_.size(); k-- > 0;) {
        if (fonts_[k].wide == wide) {
            if (fonts_[k].given < kDownloadedGlyphLimit)
                return k;
            break;
        }
    }
    if (fonts_.size() >= kMaxDownloadedFonts)
        return std::nullopt;
    return fonts_.size();
}

CharacterSets::Choice CharacterSets::Give(std::size_t index, bool wide, char32_t c) {
    if (index == fonts_.size())
        fonts_.push_back(Font{wide, 0, {}, {}});
    Font& font = fonts_[index];
    const auto code = static_cast<unsigned char>(GlyphCode(font.given++));
    font.characters[code] = c;
    return Choice{Downloaded() + static_cast<int>(index), code};
}

// The cluster's glyph goes under its base in the font: the text a drawing
// of the listing reads there.
std::optional<CharacterSets::Choice> CharacterSets::ChooseCluster(const std::u32string& cluster) {
    const auto known = clusters_.find(cluster);
    if (known != clusters_.end())
        return known->second;
    std::optional<Choice> choice;
    const std::optional<std::size_t> index = glyphs_ ? FontWithRoom(false) : std::nullopt;
    if (index && glyphs_->Draw(cluster)) {
        choice = Give(*index, false, cluster[0]);
        fonts_[*index].clusters[choice->byte] = cluster;
    }
    clusters_.emplace(cluster, choice);
    return choice;
}

std::optional<std::vector<SymbolSet>> OtherSymbolSets(const std::string& list, SymbolSet own,
                                                      std::string* unknown) {
    if (list.empty())
        return std::vector<SymbolSet>{own == SymbolSet::Pc8 ? SymbolSet::Roman8 : SymbolSet::Pc8,
                                      SymbolSet::WindowsLatin1, SymbolSet::WindowsLatin2,
                                      SymbolSet::Latin5};
    std::vector<SymbolSet> sets;
    if (list == "none")
        return sets;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string id = list.substr(start, comma - start);
        const std::optional<SymbolSet> set = SymbolSetOfId(id);
        if (!set) {
            if (unknown)
                *unknown = id;
            return std::nullopt;
        }
        sets.push_back(*set);
        if (comma == std::string::npos)
            return sets;
        start = comma + 1;
    }
}

} // namespace zl
