// A runtime folder of the drawing program's own. Qt needs one; where the
// session names none (XDG_RUNTIME_DIR unset, as under cron, ssh or sudo) Qt
// makes "runtime-USER" in the temporary folder and leaves it there. This one
// is made in the temporary folder for the run, named in XDG_RUNTIME_DIR,
// and removed with all it holds when the object goes.
#pragma once

#include <filesystem>

namespace zl::cli {

class PrivateRuntimeFolder {
public:
    // Makes the folder unless the session has one (or on Windows, which
    // needs none).
    PrivateRuntimeFolder();
    ~PrivateRuntimeFolder();
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

private:
    std::filesystem::path folder_; // empty: none made
};

} // namespace zl::cli
