#include "cli/StandardInput.h"

#include "engine/FileInputSource.h"

#include <algorithm>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace zl::cli {

bool IsStandardInput(const std::string& file) {
    return file == kStandardInputArgument;
}

std::unique_ptr<InputSource> OpenInput(const std::string& path) {
    return IsStandardInput(path) ? FileInputSource::OpenStandardInput()
                                 : FileInputSource::Open(path);
}

bool StandardInputIsTerminal() {
#ifdef _WIN32
    return _isatty(0) != 0;
#else
    return ::isatty(0) != 0;
#endif
}

void RequireStandardInputNotTerminal(const CliSettings& settings, bool isTerminal, bool closed) {
    if (settings.action != CliSettings::Action::Print ||
        std::none_of(settings.files.begin(), settings.files.end(), IsStandardInput))
        return;
    if (closed)
        throw UsageError("standard input is closed: give a FILE, or send the text through a pipe");
    if (isTerminal)
        throw UsageError("standard input is a terminal: give a FILE, or send the text through "
                         "a pipe");
}

} // namespace zl::cli
