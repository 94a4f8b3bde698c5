#include "printer/FindClosestName.h"

#include "printer/TextCompare.h"

#include <algorithm>
#include <cstdlib>

namespace zl {

int FindClosestName(const std::string& name, const std::vector<std::string>& list) {
    int result = -1;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (SameText(list[i], name))
            result = static_cast<int>(i);
    }
    if (result != -1)
        return result;

    long best = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string& entry = list[i];
        const std::size_t n = std::min(entry.size(), name.size());
        std::size_t j = 0;
        while (j < n && AsciiUpper(entry[j]) == AsciiUpper(name[j]))
            ++j;
        if (j < n) {
            const long score = 100L * static_cast<long>(j + 1) -
                               std::labs(static_cast<long>(AsciiUpper(entry[j])) -
                                         static_cast<long>(AsciiUpper(name[j])));
            if (score > best) {
                best = score;
                result = static_cast<int>(i);
            }
        } else {
            // One is the beginning of the other: taken whatever came before.
            best = 100L * static_cast<long>(n);
            result = static_cast<int>(i);
        }
    }
    return result;
}

} // namespace zl
