#include "engine/HeaderCharacters.h"

#include "engine/InputDecoder.h"
#include "engine/ListingHeader.h"
#include "engine/Utf8.h"

#include <algorithm>

namespace zl {

namespace {

// No header byte is a control byte: this one stands for another set's
// character.
constexpr char kMarker = '\x01';

} // namespace

std::string HeaderCharacters::Bytes(const std::string& utf8, CharacterSets& sets,
                                    std::vector<CharacterSets::Choice>& chosen) {
    chosen.clear();
    std::string text;
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        char32_t c = 0;
        if (DecodeUtf8(bytes + i, utf8.size() - i, length, c) != InputDecoder::Result::Character ||
            c < 32 || c == 127) {
            text += '?';
            chosen.push_back({0, '?'});
            ++i;
            continue;
        }
        i += length;
        const CharacterSets::Choice choice = sets.Choose(c);
        chosen.push_back(choice);
        if (choice.set > 0) {
            text += kMarker;
        } else {
            text += static_cast<char>(choice.byte);
        }
    }
    return text;
}

bool HeaderCharacters::HasOthers(const std::string& line) {
    return line.find(kMarker) != std::string::npos;
}

std::vector<HeaderCharacters::Piece> HeaderCharacters::Pieces(const std::string& line,
                                                              std::int32_t datePosition,
                                                              const ShownIndices& nameShown) const {
    const std::size_t dateStart = datePosition > 1 ? static_cast<std::size_t>(datePosition - 1) : 0;
    std::size_t dateNext = 0; // the date's characters come in order, a label may push them on
    std::vector<Piece> pieces;
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] != kMarker) {
            if (pieces.empty() || pieces.back().set != 0)
                pieces.push_back({0, {}});
            pieces.back().bytes += line[at];
            continue;
        }
        CharacterSets::Choice choice{0, '?'};
        if (at < dateStart) { // the name's character that the header shows there
            const std::size_t shown = at - std::min(at, ListingHeader::kNameStart);
            if (shown < nameShown.size() && nameShown[shown] != kDot &&
                static_cast<std::size_t>(nameShown[shown]) < name_.size())
                choice = name_[static_cast<std::size_t>(nameShown[shown])];
        } else { // the date's next character of another set
            while (dateNext < date_.size() && date_[dateNext].set <= 0)
                ++dateNext;
            if (dateNext < date_.size())
                choice = date_[dateNext++];
        }
        pieces.push_back({choice.set, std::string(1, static_cast<char>(choice.byte))});
    }
    return pieces;
}

} // namespace zl
