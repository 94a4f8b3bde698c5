#include "cli/PrivateRuntimeFolder.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace zl::cli {

PrivateRuntimeFolder::PrivateRuntimeFolder() {
#ifndef _WIN32
    if (const char* session = std::getenv("XDG_RUNTIME_DIR"); session && *session)
        return;
    std::error_code ec;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec)
        return; // Qt finds its own way, as before
    // mkdtemp makes it readable by its owner alone, as a runtime folder must be.
    std::string name = (temp / "zellist-runtime-XXXXXX").string();
    if (!::mkdtemp(name.data()))
        return;
    folder_ = name;
    ::setenv("XDG_RUNTIME_DIR", name.c_str(), 1);
#endif
}

PrivateRuntimeFolder::~PrivateRuntimeFolder() {
    if (folder_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

} // namespace zl::cli
