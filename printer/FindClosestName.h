// Finds the entry of a list that best matches a name.
#pragma once

#include <string>
#include <vector>

namespace zl {

// The index of the last entry equal to `name` but for the case of ASCII
// letters; without one, the entry that agrees with it longest (ties and
// near misses scored by position and character distance); -1 for an empty
// list.
int FindClosestName(const std::string& name, const std::vector<std::string>& list);

} // namespace zl
