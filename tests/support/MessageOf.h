// The message of the zl::Exception an action raises, or "" when it raises none.
#pragma once

#include "platform/Exception.h"

#include <functional>
#include <string>

namespace zl::test {

inline std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.what();
    }
    return "";
}

} // namespace zl::test
