#include "engine/ListingText.h"

#include "engine/DateTimeFormat.h"

#include <charconv>
#include <cstring>

namespace zl {

void InsertAt(std::string& line, const std::string& text, std::int32_t position) {
    std::size_t at = position < 1 ? 0 : static_cast<std::size_t>(position - 1);
    if (at > line.size())
        at = line.size();
    line.insert(at, text);
}

std::string ShortenPath(const std::string& path) {
    if (path.find_first_of(kPathSeparators) == std::string::npos)
        return {};
    if (path.size() < 30)
        return path;
    // The last separator before the final character starts the tail.
    std::size_t last = path.find_last_of(kPathSeparators, path.size() - 2);
    if (last == std::string::npos) // the only separator ends the path
        return "..." + path.substr(path.size() - 25);
    const std::string tail = path.substr(last);
    const std::int32_t headLength = 25 - static_cast<std::int32_t>(tail.size());
    const std::string head =
        headLength > 0 ? path.substr(0, static_cast<std::size_t>(headLength)) : std::string();
    return head + "..." + tail;
}

std::string WithoutControlBytes(std::string text) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127)
            c = '?';
    }
    return text;
}

std::string DateText(const LocalTime& time, const LocaleNames& names) {
    return FormatDateTime("dddd, mmmm d, yyyy \"at\" h:mm AM/PM", time, names);
}

std::string PageLabelText(std::int32_t pageNumber) {
    return "Page " + std::to_string(pageNumber);
}

std::string LineNumberText(std::int32_t lineNumber) {
    char text[kMaxLineNumberText];
    return std::string(text, FormatLineNumber(lineNumber, text));
}

std::size_t FormatLineNumber(std::int32_t lineNumber, char* text) {
    char digits[16];
    const auto length = static_cast<std::size_t>(
        std::to_chars(digits, digits + sizeof digits, lineNumber).ptr - digits);
    const std::size_t blanks = length < 6 ? 7 - length : 1;
    std::memset(text, ' ', blanks);
    std::memcpy(text + blanks, digits, length);
    std::memcpy(text + blanks + length, ": ", 2);
    return blanks + length + 2;
}

std::string FileNamePart(const std::string& path) {
    const std::size_t last = path.find_last_of(kPathSeparators);
    return last == std::string::npos ? path : path.substr(last + 1);
}

} // namespace zl
