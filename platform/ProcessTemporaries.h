// Temporary files named after the process that writes them,
// ".BASE-PID-N.part" beside the file they are to become. One whose process
// no longer exists belongs to a job that was never finished: a crash, a kill
// or a power cut left it, and nothing will ever finish or remove it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace zl {

// The name of this process's temporary number `number` for a file `base`
// (UTF-8).
std::filesystem::path TemporaryName(const std::string& base, std::uint32_t number);

// The process id in `name` when it has exactly the form of a temporary's
// name, else 0.
long TemporaryOwner(const std::string& name);

// False only when the system says there is no process `pid`.
bool ProcessExists(long pid);

// Removes the temporaries in `dir` whose process no longer exists. Does its
// best: whatever it cannot read or remove stays.
void RemoveAbandonedTemporaries(const std::filesystem::path& dir);

} // namespace zl
