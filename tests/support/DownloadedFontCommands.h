// A listing's bytes without what its downloaded font adds: the commands that
// define the font and its glyphs (with their data), select it by ID, and
// select the listing's face again after it. What is left holds only the
// listing's other commands, for checks that count them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <regex>
#include <string>

namespace zl::test {

inline std::string WithoutTheDownloadedFont(const std::string& bytes) {
    static const std::regex kFontCommand(
        R"(\x1b(\*c[0-9]+[DE]|\([0-9]+X|\(s0p[0-9.]+h[0-9.]+v0s0b[0-9]+T|[()]s([0-9]+)W))");
    std::string rest;
    std::size_t at = 0;
    for (std::smatch match; std::regex_search(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                              bytes.end(), match, kFontCommand);) {
        rest += bytes.substr(at, static_cast<std::size_t>(match.position(0)));
        at += static_cast<std::size_t>(match.position(0) + match.length(0));
        if (match[2].matched) // the data that follows
            at += std::stoul(match[2].str());
        at = std::min(at, bytes.size());
    }
    return rest + bytes.substr(at);
}

} // namespace zl::test
