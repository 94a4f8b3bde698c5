// The texts of a listing: header parts, page labels and line numbers.
#pragma once

#include "platform/Clock.h"
#include "platform/LocaleNames.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zl {

// What separates the parts of a path on this platform: on Windows "\\" and
// "/" between folders and ":" after the drive.
#ifdef _WIN32
constexpr const char* kPathSeparators = "\\/:";
#else
constexpr const char* kPathSeparators = "/";
#endif

// Inserts `text` into `line` so that it starts at position `position`
// (counted from 1); below 1 counts as 1, past the end appends.
void InsertAt(std::string& line, const std::string& text, std::int32_t position);

// The path as the header shows it: empty without a separator, whole below 30
// characters, else head, "..." and the tail from the last separator.
std::string ShortenPath(const std::string& path);

// Which characters of a text a shortened form of it shows: for each, its
// index in the text; kDot for a dot of the "..." put in their place.
using ShownIndices = std::vector<std::int64_t>;
constexpr std::int64_t kDot = -1;
// Those of ShortenPath(path).
ShownIndices ShortenedPathIndices(const std::string& path);
// The text of `text` that `shown` shows.
std::string ShownText(const std::string& text, const ShownIndices& shown);

// The text with every control byte (below 32, and 127) shown as "?", so a
// file name cannot break the line it is shown in.
std::string WithoutControlBytes(std::string text);

// "Sunday, December 6, 2026 at 11:31 AM", with the given names.
std::string DateText(const LocalTime& time, const LocaleNames& names);

// "Page " and the number.
std::string PageLabelText(std::int32_t pageNumber);

// The number right-aligned in seven columns, then ": "; longer numbers get
// one blank in front.
std::string LineNumberText(std::int32_t lineNumber);
// The longest line number text (a sign and ten digits).
constexpr std::size_t kMaxLineNumberText = 14;
// The same into `text`, which holds kMaxLineNumberText bytes; its length.
std::size_t FormatLineNumber(std::int32_t lineNumber, char* text);

// The file name of a full path: what follows its last separator, the whole
// text when it has none.
std::string FileNamePart(const std::string& path);

} // namespace zl
