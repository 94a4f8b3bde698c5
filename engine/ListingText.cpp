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

namespace {

// Indices `first` to `last` (not included) added to `shown`.
void AddIndices(ShownIndices& shown, std::size_t first, std::size_t last) {
    for (std::size_t i = first; i < last; ++i)
        shown.push_back(static_cast<std::int64_t>(i));
}

void AddDots(ShownIndices& shown) {
    shown.insert(shown.end(), 3, kDot);
}

} // namespace

ShownIndices ShortenedPathIndices(const std::string& path) {
    ShownIndices shown;
    if (path.find_first_of(kPathSeparators) == std::string::npos)
        return shown;
    if (path.size() < 30) {
        AddIndices(shown, 0, path.size());
        return shown;
    }
    // The last separator before the final character starts the tail.
    const std::size_t last = path.find_last_of(kPathSeparators, path.size() - 2);
    if (last == std::string::npos) { // the only separator ends the path
        AddDots(shown);
        AddIndices(shown, path.size() - 25, path.size());
        return shown;
    }
    const std::int64_t headLength = 25 - static_cast<std::int64_t>(path.size() - last);
    AddIndices(shown, 0, headLength > 0 ? static_cast<std::size_t>(headLength) : 0);
    AddDots(shown);
    AddIndices(shown, last, path.size());
    return shown;
}

std::string ShownText(const std::string& text, const ShownIndices& shown) {
    std::string result;
    result.reserve(shown.size());
    for (const std::int64_t index : shown)
        result += index == kDot ? '.' : text[static_cast<std::size_t>(index)];
    return result;
}

std::string ShortenPath(const std::string& path) {
    return ShownText(path, ShortenedPathIndices(path));
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
