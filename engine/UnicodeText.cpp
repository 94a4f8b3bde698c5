#include "engine/UnicodeText.h"

#ifndef _WIN32
#include "engine/Utf8.h"

#include <utf8proc.h>

#include <cstdlib>
#include <cstring>
#endif

namespace zl {

#ifdef _WIN32

int ColumnWidth(char32_t) {
    return 1;
}

bool IsCombiningMark(char32_t) {
    return false;
}

bool IsIgnorable(char32_t) {
    return false;
}

bool IsRightToLeft(char32_t) {
    return false;
}

char32_t Composed(char32_t, const std::u32string&) {
    return 0;
}

#else

namespace {

utf8proc_category_t CategoryOf(char32_t c) {
    return utf8proc_category(static_cast<utf8proc_int32_t>(c));
}

} // namespace

int ColumnWidth(char32_t c) {
    if (IsIgnorable(c) || IsCombiningMark(c) || CategoryOf(c) == UTF8PROC_CATEGORY_CF)
        return 0;
    return utf8proc_charwidth(static_cast<utf8proc_int32_t>(c)) >= 2 ? 2 : 1;
}

bool IsCombiningMark(char32_t c) {
    const utf8proc_category_t category = CategoryOf(c);
    return (category == UTF8PROC_CATEGORY_MN || category == UTF8PROC_CATEGORY_ME) &&
           !IsIgnorable(c);
}

bool IsIgnorable(char32_t c) {
    return utf8proc_get_property(static_cast<utf8proc_int32_t>(c))->ignorable;
}

bool IsRightToLeft(char32_t c) {
    const int direction = utf8proc_get_property(static_cast<utf8proc_int32_t>(c))->bidi_class;
    return direction == UTF8PROC_BIDI_CLASS_R || direction == UTF8PROC_BIDI_CLASS_AL;
}

char32_t Composed(char32_t base, const std::u32string& marks) {
    std::string text;
    AppendUtf8(base, text);
    for (const char32_t mark : marks)
        AppendUtf8(mark, text);
    utf8proc_uint8_t* composed =
        utf8proc_NFC(reinterpret_cast<const utf8proc_uint8_t*>(text.c_str()));
    if (!composed)
        return 0;
    const auto size = static_cast<utf8proc_ssize_t>(std::strlen(reinterpret_cast<char*>(composed)));
    utf8proc_int32_t first = 0;
    const bool one = size > 0 && utf8proc_iterate(composed, size, &first) == size;
    std::free(composed);
    return one ? static_cast<char32_t>(first) : 0;
}

#endif

} // namespace zl
