// What the Unicode tables say of a character that decides its place on a
// listing's line, from a well-kept library (utf8proc): how many columns it
// takes, whether it combines with the character before it, whether it is
// invisible by nature, and the one character a base and its marks compose
// to. Windows builds have no such tables: every character takes one column
// and nothing combines, as a listing printed before it knew them.
#pragma once

#include <string>

namespace zl {

// 0 for a character that takes no column (a combining mark, a format
// character such as a zero-width space or joiner), 2 for an East Asian wide
// one, else 1.
int ColumnWidth(char32_t c);

// A mark that sits on the character before it (nonspacing or enclosing).
bool IsCombiningMark(char32_t c);

// A character that prints nothing by its nature: zero-width spaces and
// joiners, variation selectors, a byte-order mark inside a line.
bool IsIgnorable(char32_t c);

// A letter of a script written right to left (Hebrew, Arabic), which a
// listing prints in the file's order, left to right.
bool IsRightToLeft(char32_t c);

// The one character that `base` and its `marks` compose to (Unicode's
// normalization form C), 0 where they make no one character.
char32_t Composed(char32_t base, const std::u32string& marks);

} // namespace zl
