// The program's general error kind: a failure with the message text that is
// shown to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace zl {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

} // namespace zl
