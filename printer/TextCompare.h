// Comparing printer, paper and bin names: equal but for the case of ASCII
// letters. Names here are 8-bit text, mostly UTF-8, whose other bytes have no
// case of their own.
#pragma once

#include <string>

namespace zl {

inline unsigned char AsciiUpper(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

inline bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    }
    return true;
}

} // namespace zl
