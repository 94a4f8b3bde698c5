#include "platform/ProcessTemporaries.h"

#include "platform/SystemText.h"

#include <cerrno>
#include <climits>

#ifdef _WIN32
#include "platform/WindowsApi.h"
#include <process.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace zl {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSuffix = ".part";

long ThisProcess() {
#ifdef _WIN32
    return static_cast<long>(::_getpid());
#else
    return static_cast<long>(::getpid());
#endif
}

// The number that is all of `digits`, as written by std::to_string (no sign,
// no leading zero), up to `max`; -1 for anything else.
long long Number(const std::string& digits, long long max) {
    if (digits.empty() || digits.size() > 10 || digits[0] == '0')
        return -1;
    long long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value <= max ? value : -1;
}

} // namespace

fs::path TemporaryName(const std::string& base, std::uint32_t number) {
    return PathOfUtf8("." + base + "-" + std::to_string(ThisProcess()) + "-" +
                      std::to_string(number) + kSuffix);
}

long TemporaryOwner(const std::string& name) {
    const std::string suffix = kSuffix;
    if (name.size() <= suffix.size() || name[0] != '.' ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::string rest = name.substr(1, name.size() - 1 - suffix.size()); // BASE-PID-N
    const std::size_t numberDash = rest.rfind('-');
    if (numberDash == std::string::npos || numberDash == 0)
        return 0;
    const std::size_t pidDash = rest.rfind('-', numberDash - 1);
    if (pidDash == std::string::npos || pidDash == 0 ||
        Number(rest.substr(numberDash + 1), UINT32_MAX) < 1)
        return 0;
    const long long pid = Number(rest.substr(pidDash + 1, numberDash - pidDash - 1), INT_MAX);
    return pid > 0 ? static_cast<long>(pid) : 0;
}

bool ProcessExists(long pid) {
#ifdef _WIN32
    HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return ::GetLastError() != ERROR_INVALID_PARAMETER; // no such process
    DWORD exitCode = 0;
    const bool running = !::GetExitCodeProcess(process, &exitCode) || exitCode == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
#else
    // EPERM: it exists, but belongs to someone else.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
#endif
}

void RemoveAbandonedTemporaries(const fs::path& dir) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const long pid = TemporaryOwner(Utf8OfPath(it->path().filename()));
        std::error_code ignored;
        if (pid != 0 && it->symlink_status(ignored).type() == fs::file_type::regular &&
            !ProcessExists(pid))
            fs::remove(it->path(), ignored);
    }
}

} // namespace zl
