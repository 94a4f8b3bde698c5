#include "engine/HeaderCharacters.h"

#include "engine/InputDecoder.h"
#include "engine/Utf8.h"

#include <algorithm>

namespace zl {

namespace {

// No header byte is a control byte: this one stands for another set's
// character.
constexpr char kMarker = '\x01';

} // namespace

std::string HeaderCharacters::Bytes(const std::string& utf8, CharacterSets& sets,
                                    std::vector<CharacterSets::Choice>& others) {
    others.clear();
    std::string text;
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        char32_t c = 0;
        if (DecodeUtf8(bytes + i, utf8.size() - i, length, c) != InputDecoder::Result::Character ||
            c < 32 || c == 127) {
            text += '?';
            ++i;
            continue;
        }
        i += length;
        const CharacterSets::Choice choice = sets.Choose(c);
        if (choice.set > 0) {
            text += kMarker;
            others.push_back(choice);
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
                                                              std::int32_t datePosition) const {
    const std::size_t dateStart = datePosition > 1 ? static_cast<std::size_t>(datePosition - 1) : 0;
    const std::size_t nameMarkers = static_cast<std::size_t>(std::count(
        line.begin(), line.begin() + static_cast<std::ptrdiff_t>(std::min(dateStart, line.size())),
        kMarker));
    std::size_t nameNext = name_.size() - std::min(nameMarkers, name_.size());
    std::size_t dateNext = 0;
    std::vector<Piece> pieces;
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] != kMarker) {
            if (pieces.empty() || pieces.back().set != 0)
                pieces.push_back({0, {}});
            pieces.back().bytes += line[at];
            continue;
        }
        const bool inName = at < dateStart && nameNext < name_.size();
        const std::vector<CharacterSets::Choice>& from = inName ? name_ : date_;
        std::size_t& next = inName ? nameNext : dateNext;
        const CharacterSets::Choice choice =
            next < from.size() ? from[next++] : CharacterSets::Choice{0, '?'};
        pieces.push_back({choice.set, std::string(1, static_cast<char>(choice.byte))});
    }
    return pieces;
}

} // namespace zl
