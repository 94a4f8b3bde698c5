// Comparing printer, paper and bin names.
#pragma once

#include <cctype>
#include <string>

namespace zl {

// Equal but for the case of letters.
inline bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace zl
