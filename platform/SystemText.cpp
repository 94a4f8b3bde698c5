#include "platform/SystemText.h"

#include <cstdlib>

#ifdef _WIN32
#include "platform/WindowsApi.h"

#include <shellapi.h>
#endif

namespace zl {

#ifdef _WIN32

std::wstring WideOfUtf8(const std::string& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0'); // never more units than bytes
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), size);
    wide.resize(static_cast<std::size_t>(units > 0 ? units : 0));
    return wide;
}

std::string Utf8OfWide(const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::filesystem::path PathOfUtf8(const std::string& name) {
    return std::filesystem::path(WideOfUtf8(name));
}

std::string Utf8OfPath(const std::filesystem::path& path) {
    return Utf8OfWide(path.native());
}

std::filesystem::path PathFromEnvironment(const char* name) {
    const wchar_t* value = _wgetenv(WideOfUtf8(name).c_str());
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

std::vector<std::string> Utf8Arguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments.push_back(Utf8OfWide(wide[i]));
        LocalFree(wide);
    }
    if (arguments.empty())
        arguments.emplace_back();
    return arguments;
}

#else

std::filesystem::path PathOfUtf8(const std::string& name) {
    return name;
}

std::string Utf8OfPath(const std::filesystem::path& path) {
    return path.native();
}

std::filesystem::path PathFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + (argc > 0 ? argc : 0));
    if (arguments.empty())
        arguments.emplace_back();
    return arguments;
}

#endif

} // namespace zl
