// Where each character of a listing prints from: the listing's own symbol
// set when it has the character; else the first of the other sets, in the
// order given, that has it; else the own set's one character that the
// system's converter comes nearest with. Otherwise it is not printed.
#pragma once

#include "engine/SymbolSet.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace zl {

class CharacterSets {
public:
    // `others` in the order they are tried; the own set among them is left out.
    CharacterSets(SymbolSet own, const std::vector<SymbolSet>& others);

    struct Choice {
        int set;            // 0: the own set, 1 on: the others in order; -1: none
        unsigned char byte; // the character's byte in that set
    };
    // Where `c` (not a control character) prints from. ASCII prints from
    // every set alike: the own set.
    Choice Choose(char32_t c);
    SymbolSet SetAt(int index) const { return sets_[static_cast<std::size_t>(index)]; }

private:
    Choice Find(char32_t c) const;

    std::vector<SymbolSet> sets_; // the own first
    std::unordered_map<char32_t, Choice> chosen_;
};

// The other sets a listing may print from, from a list of PCL IDs such as
// "19U,9E,5N": empty text, the default (the other of PC-8 and Roman-8, then
// Windows Latin 1, Windows Latin 2, Latin 5); "none", no other set. None for
// a list with an ID the program does not know, which `unknown` then holds.
std::optional<std::vector<SymbolSet>> OtherSymbolSets(const std::string& list, SymbolSet own,
                                                      std::string* unknown = nullptr);

} // namespace zl
