#include "app/BuildStamp.h"

#include "engine/DateTimeFormat.h"
#include "platform/Exception.h"

#include <chrono>
#include <filesystem>

namespace zl {

std::string BuildStampText(const std::string& version, const LocalTime& modified,
                           const LocaleNames& names) {
    return "Build " + version + ": " +
           FormatDateTime("dddd, mmmm d, yyyy \"at\" h:mm am/pm", modified, names);
}

LocalTime FileModificationTime(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_time_type written = fs::last_write_time(path, ec);
    if (ec)
        throw Exception("File " + fs::path(path).filename().string() +
                        " not found or not accessible");
    // The file clock's epoch is not the system clock's: go through now.
    const auto now = std::chrono::system_clock::now() +
                     std::chrono::duration_cast<std::chrono::system_clock::duration>(
                         written - fs::file_time_type::clock::now());
    return LocalTimeAt(
        std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count());
}

} // namespace zl
