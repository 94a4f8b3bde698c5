// The start of a tool that draws with Qt but needs no display.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace zl::tools {

// Checks that the tool got `arguments` arguments, else says how to call it
// (`usage`, after the tool's name) on standard error and answers false; then,
// unless QT_QPA_PLATFORM names a platform, has Qt draw offscreen.
inline bool StartOffscreenTool(int argc, char** argv, int arguments, const char* usage) {
    if (argc != arguments + 1) {
        std::fprintf(stderr, "usage: %s %s\n", argv[0], usage);
        return false;
    }
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return true;
}

} // namespace zl::tools
