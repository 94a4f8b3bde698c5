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

// The message as the user is shown it: with a "." appended when it is not
// empty and its last character sorts after ".".
inline std::string ShownMessage(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

} // namespace zl
