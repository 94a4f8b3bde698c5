// Texts for the spooler's last-error codes.
#pragma once

#include <cstdint>
#include <string>

namespace zl {

// "System Error.  Code: N.\n" followed by the system's text for the code.
std::string SystemErrorMessage(std::uint32_t code);

} // namespace zl
