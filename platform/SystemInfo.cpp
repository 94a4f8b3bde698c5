#include "platform/SystemInfo.h"

#include "platform/SystemText.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include "platform/WindowsApi.h"
#else
#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>
#endif

namespace zl {

namespace {

#ifndef _WIN32
// The value after "key" and a colon in a /proc file's line.
std::string ProcValue(const char* file, const std::string& key) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0)
            continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const std::size_t start = line.find_first_not_of(" \t", colon + 1);
        return start == std::string::npos ? std::string() : line.substr(start);
    }
    return {};
}
#endif

} // namespace

std::string LoginName() {
#ifdef _WIN32
    char name[64] = {};
    DWORD size = sizeof name - 1;
    if (GetUserNameA(name, &size))
        return name;
#else
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name)
        return entry->pw_name;
    if (const char* user = std::getenv("USER"); user && *user)
        return user;
#endif
    return "(Unknown)";
}

std::filesystem::path HomeFolder() {
#ifdef _WIN32
    return PathFromEnvironment("USERPROFILE");
#else
    if (std::filesystem::path home = PathFromEnvironment("HOME"); !home.empty())
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && *entry->pw_dir)
        return entry->pw_dir;
    return {};
#endif
}

std::string ComputerName() {
#ifdef _WIN32
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? name : "";
#else
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? name : "";
#endif
}

std::string SystemDirectory() {
#ifdef _WIN32
    char dir[MAX_PATH] = {};
    return GetWindowsDirectoryA(dir, MAX_PATH) ? dir : "";
#else
    return "/etc";
#endif
}

std::string PlatformName() {
#ifdef _WIN32
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
#ifdef _MSC_VER
#pragma warning(suppress : 4996)
#endif
    GetVersionExA(&info);
    switch (info.dwPlatformId) {
    case 0:
        return "Win32s";
    case 1:
        return "Windows 95";
    case 2:
        return "Windows NT";
    default:
        return "(Unknown)";
    }
#else
    utsname names{};
    if (uname(&names) != 0)
        return "(Unknown)";
    return std::string(names.sysname) + " " + names.release;
#endif
}

std::string CurrentDirectory() {
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::current_path(ec);
    return ec ? std::string() : dir.string();
}

long long AvailableMemoryKiB() {
#ifdef _WIN32
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? static_cast<long long>(status.ullAvailPhys / 1024) : -1;
#else
    const std::string value = ProcValue("/proc/meminfo", "MemAvailable");
    return value.empty() ? -1 : std::atoll(value.c_str());
#endif
}

std::string ProcessorName() {
#ifdef _WIN32
    return std::getenv("PROCESSOR_IDENTIFIER") ? std::getenv("PROCESSOR_IDENTIFIER") : "";
#else
    return ProcValue("/proc/cpuinfo", "model name");
#endif
}

} // namespace zl
