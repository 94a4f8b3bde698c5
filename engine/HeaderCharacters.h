// The header's name and date as the listing prints them: one byte of the
// listing's own set per character, so that the header is laid out by
// counting bytes, with each character that prints from another of the
// printer's sets standing as a marker byte until the line is written.
#pragma once

#include "engine/CharacterSets.h"
#include "engine/ListingText.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zl {

class HeaderCharacters {
public:
    // The text of `utf8` (control characters already gone), one byte per
    // character: the own set's, a marker for another set's, or '?' (also for
    // a byte that begins no character). The name's characters, then the
    // date's, are kept for the line.
    std::string Name(const std::string& utf8, CharacterSets& sets) {
        return Bytes(utf8, sets, name_);
    }
    std::string Date(const std::string& utf8, CharacterSets& sets) {
        return Bytes(utf8, sets, date_);
    }

    // The laid-out `line`, whose date starts at column `datePosition` and
    // whose name's characters from column 9 on are those `nameShown` gives
    // (a shortened name shows some), in the pieces to write: runs of the own
    // set's bytes (set 0) and the other sets' characters. A cut date keeps
    // its first characters.
    struct Piece {
        int set;
        std::string bytes;
    };
    std::vector<Piece> Pieces(const std::string& line, std::int32_t datePosition,
                              const ShownIndices& nameShown) const;
    // Whether `line` holds characters of other sets: else it is one piece.
    static bool HasOthers(const std::string& line);

private:
    static std::string Bytes(const std::string& utf8, CharacterSets& sets,
                             std::vector<CharacterSets::Choice>& chosen);

    // Where each of the name's and the date's characters prints from.
    std::vector<CharacterSets::Choice> name_, date_;
};

} // namespace zl
