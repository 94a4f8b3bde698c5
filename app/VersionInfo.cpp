#include "app/VersionInfo.h"

#include "platform/Exception.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include "platform/WindowsApi.h"
#endif

namespace zl {

namespace {

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

#ifndef _WIN32
// Reads the block "magic key=value NUL ... NUL" out of the file's bytes.
bool ParseBlock(const std::string& bytes, std::size_t start,
                std::map<std::string, std::string>& fields) {
    std::size_t at = start;
    while (at < bytes.size()) {
        const std::size_t end = bytes.find('\0', at);
        if (end == std::string::npos)
            return false; // cut off before its end
        if (end == at)
            return true; // the empty entry ends the block
        const std::string entry = bytes.substr(at, end - at);
        const std::size_t eq = entry.find('=');
        if (eq == std::string::npos || eq == 0)
            return false;
        fields[entry.substr(0, eq)] = entry.substr(eq + 1);
        at = end + 1;
    }
    return false;
}

// "%d.%d.%d.%d" of a version text, or empty when it is not one.
std::string FixedVersion(const std::string& text) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &extra) != 4 || a > 0xFFFF ||
        b > 0xFFFF || c > 0xFFFF || d > 0xFFFF)
        return {};
    return std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c) + "." +
           std::to_string(d);
}
#endif

// What a file's version information holds.
struct VersionData {
    std::string fileVersion;
    bool translated = false;
    std::map<std::string, std::string> fields;
};

#ifdef _WIN32
// "major.minor.release.build" of the fixed part of the version resource
// `data`, empty when it has none.
std::string FixedFileVersion(const std::string& data) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return {};
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionLS));
}

// The text fields of the first translation of the version resource `data`
// into `read`; without a translation table it stays untranslated.
void ReadTranslatedFields(const std::string& data, VersionData& read) {
    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation))
        return;
    read.translated = true;
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", translation->language,
                  translation->codePage);
    for (const char* name : {"ProductName", "LegalCopyright", "Comments", "FileDescription",
                             "CompanyName", "InternalName"}) {
        char* value = nullptr;
        if (VerQueryValueA(data.data(), (std::string(prefix) + name).c_str(),
                           reinterpret_cast<void**>(&value), &length) &&
            value)
            read.fields[name] = value;
    }
}

// The version resource Windows keeps in the file.
VersionData ReadVersionData(const std::string& path, const std::string& fileName) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            throw Exception("File " + fileName + " not found or not accessible");
        throw Exception("File " + fileName + " has no version information");
    }
    std::string data(size, '\0');
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()))
        throw Exception("Cannot read version information for file " + fileName);
    VersionData read;
    read.fileVersion = FixedFileVersion(data);
    ReadTranslatedFields(data, read);
    return read;
}
#else
// The block of version information the build puts in the file.
VersionData ReadVersionData(const std::string& path, const std::string& fileName) {
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path))
        throw Exception("File " + fileName + " not found or not accessible");
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    if (in.bad())
        throw Exception("Cannot read version information for file " + fileName);
    const std::string magic = VersionBlockMagic();
    const std::size_t start = bytes.find(magic);
    if (start == std::string::npos)
        throw Exception("File " + fileName + " has no version information");
    VersionData read;
    if (!ParseBlock(bytes, start + magic.size(), read.fields))
        throw Exception("Cannot read version information for file " + fileName);
    read.fileVersion = FixedVersion(read.fields["FixedFileVersion"]);
    read.translated = !read.fields["Translation"].empty();
    read.fields.erase("FixedFileVersion");
    read.fields.erase("Translation");
    return read;
}
#endif

} // namespace

std::string VersionBlockMagic() {
    // "\x7f" "ZLVRSN" "\x01", stored shifted by a number the compiler cannot
    // fold in, so that the magic never stands in the code as it is.
    static volatile unsigned char shift = 1;
    const unsigned char shifted[] = {0x80,    'Z' + 1, 'L' + 1, 'V' + 1,
                                     'R' + 1, 'S' + 1, 'N' + 1, 0x02};
    std::string magic;
    for (unsigned char c : shifted)
        magic += static_cast<char>(c - shift);
    return magic;
}

VersionInfo::VersionInfo(const std::string& path) : fileName_(FileNameOf(path)) {
    if (path.empty())
        throw Exception("No file specified");
    VersionData read = ReadVersionData(path, fileName_);
    fileVersion_ = std::move(read.fileVersion);
    translated_ = read.translated;
    fields_ = std::move(read.fields);
}

std::string VersionInfo::Field(const std::string& name) const {
    if (!translated_)
        throw Exception("Cannot read translation table for file " + fileName_);
    auto found = fields_.find(name);
    return found == fields_.end() ? std::string() : found->second;
}

} // namespace zl
