// Text as the program keeps it, in UTF-8 (file names, arguments and all),
// and in the forms the system takes. Windows speaks UTF-16: its narrow calls
// and the C++ library's narrow paths would read UTF-8 in the ANSI code page,
// which lacks most characters.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zl {

// The file `name` (UTF-8) names.
std::filesystem::path PathOfUtf8(const std::string& name);
// The name of `path` in UTF-8.
std::string Utf8OfPath(const std::filesystem::path& path);
// The path environment variable `name` holds; empty when it is unset or empty.
std::filesystem::path PathFromEnvironment(const char* name);

// The program's command line in UTF-8, its own name first (never empty). On
// Windows it is read again in UTF-16, since `argv` holds it in the ANSI code
// page, which lacks most characters; elsewhere it is `argv`.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

#ifdef _WIN32
// UTF-8 text in UTF-16 and back; a malformed sequence becomes U+FFFD.
std::wstring WideOfUtf8(const std::string& text);
std::string Utf8OfWide(const std::wstring& text);
#endif

} // namespace zl
