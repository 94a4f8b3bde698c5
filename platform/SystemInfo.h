// Facts about the machine and the user.
#pragma once

#include <filesystem>
#include <string>

namespace zl {

// The user's login name, "(Unknown)" when it cannot be read.
std::string LoginName();
// The user's home folder: HOME (on Windows USERPROFILE), else the one the
// account database gives; empty when there is none.
std::filesystem::path HomeFolder();
// The machine's network name, empty when it cannot be read.
std::string ComputerName();
// Where the operating system keeps its own settings ("/etc"; on Windows the
// Windows directory).
std::string SystemDirectory();
// The operating system: its kernel's name and release ("Linux 6.1.0"), or
// the Windows platform name.
std::string PlatformName();
// The process's current directory.
std::string CurrentDirectory();
// Memory available to programs, in kibibytes; -1 when unknown.
long long AvailableMemoryKiB();
// The processor's model name, empty when unknown.
std::string ProcessorName();

} // namespace zl
