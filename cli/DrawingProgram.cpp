#include "cli/DrawingProgram.h"

#include "platform/SystemText.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace zl::cli {

namespace {

namespace fs = std::filesystem;

// The running program's own file.
fs::path OwnExecutable() {
#ifdef _WIN32
    std::vector<wchar_t> name(32768);
    const DWORD size = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    return size > 0 ? fs::path(std::wstring(name.data(), size)) : fs::path();
#else
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error);
#endif
}

#ifdef _WIN32
// The argument as the Windows C runtime reads it back from a command line.
std::string Quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}
#endif

} // namespace

std::string DrawingProgramPath() {
    const fs::path self = OwnExecutable();
    if (self.empty())
        return {};
#ifdef _WIN32
    const std::string name = std::string(kDrawingProgramName) + ".exe";
#else
    const std::string name = kDrawingProgramName;
#endif
    // A build tree keeps both programs in one folder; an installed zellist
    // finds it in the folder for programs that only other programs run.
    for (const fs::path& candidate :
         {self.parent_path() / name, self.parent_path() / ZELLIST_DRAWING_PROGRAM_DIR / name}) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error))
            return Utf8OfPath(candidate.lexically_normal());
    }
    return {};
}

int RunDrawingProgram(const std::vector<std::string>& arguments, std::ostream& err) {
    const std::string path = DrawingProgramPath();
    if (path.empty()) {
        err << "zellist: PDF output and --driver need " << kDrawingProgramName
            << ", which is not installed beside zellist\n";
        return 2;
    }
#ifdef _WIN32
    std::vector<std::wstring> quoted;
    for (const std::string& arg : arguments)
        quoted.push_back(WideOfUtf8(Quoted(arg)));
    std::vector<const wchar_t*> argv;
    for (const std::wstring& arg : quoted)
        argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    const intptr_t status = _wspawnv(_P_WAIT, WideOfUtf8(path).c_str(), argv.data());
    if (status != -1)
        return static_cast<int>(status);
#else
    std::vector<char*> argv;
    for (const std::string& arg : arguments)
        argv.push_back(const_cast<char*>(arg.c_str())); // execv only reads them
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
#endif
    err << "zellist: cannot run " << path << ": " << std::strerror(errno) << '\n';
    return 1;
}

} // namespace zl::cli
