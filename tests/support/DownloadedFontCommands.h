// A listing's bytes without what its downloaded font adds: the commands that
// define the font and its glyphs (with their data), select it by ID, and
// select the listing's face again after it. What is left holds only the
// listing's other commands, for checks that count them.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace zl::test {

namespace detail {

// The length of the font command at `at` (an ESC), 0 when it is none; the
// length of the data after it in `data`.
inline std::size_t FontCommandAt(const std::string& bytes, std::size_t at, std::size_t& data) {
    data = 0;
    auto digitsFrom = [&](std::size_t from, const char* also) {
        std::size_t end = from;
        while (end < bytes.size() &&
               ((bytes[end] >= '0' && bytes[end] <= '9') || std::strchr(also, bytes[end])))
            ++end;
        return end;
    };
    const std::string rest = bytes.substr(at + 1, 4);
    for (const char* start : {"*c", "(", "(s", ")s"}) {
        if (rest.compare(0, std::strlen(start), start) != 0)
            continue;
        const std::size_t value = at + 1 + std::strlen(start);
        // The face again: ESC ( s 0 p # h # v 0 s 0 b # T.
        const std::size_t end = digitsFrom(value, std::string(start) == "(s" ? ".phvsb" : "");
        if (end == value || end >= bytes.size())
            continue;
        const char terminator = bytes[end];
        const bool font =
            (std::string(start) == "*c" && (terminator == 'D' || terminator == 'E')) ||
            (std::string(start) == "(" && terminator == 'X') ||
            (start[1] == 's' && terminator == 'W') || (terminator == 'T' && rest == "(s0p");
        if (!font)
            continue;
        if (terminator == 'W')
            data = std::stoul(bytes.substr(value, end - value));
        return end + 1 - at;
    }
    return 0;
}

} // namespace detail

inline std::string WithoutTheDownloadedFont(const std::string& bytes) {
    std::string rest;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t data = 0;
        const std::size_t length = bytes[at] == '\x1b' ? detail::FontCommandAt(bytes, at, data) : 0;
        if (length == 0)
            rest += bytes[at++];
        else
            at += length + data;
    }
    return rest;
}

} // namespace zl::test
