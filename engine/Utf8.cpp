#include "engine/Utf8.h"

namespace zl {

namespace {

// A lead byte's sequence: its length, the bits it carries and the range its
// second byte must lie in to rule out overlong forms, surrogates and code
// points past U+10FFFF.
struct LeadForm {
    std::size_t length;
    int valueMask;
    int secondLow;
    int secondHigh;
};

bool FormOf(unsigned char lead, LeadForm& form) {
    if (lead >= 0xC2 && lead <= 0xDF)
        form = {2, 0x1F, 0x80, 0xBF};
    else if (lead >= 0xE0 && lead <= 0xEF)
        form = {3, 0x0F, lead == 0xE0 ? 0xA0 : 0x80, lead == 0xED ? 0x9F : 0xBF};
    else if (lead >= 0xF0 && lead <= 0xF4)
        form = {4, 0x07, lead == 0xF0 ? 0x90 : 0x80, lead == 0xF4 ? 0x8F : 0xBF};
    else
        return false; // continuation bytes, C0/C1 (overlong) and F5..FF
    return true;
}

} // namespace

InputDecoder::Result DecodeUtf8(const unsigned char* bytes, std::size_t count, std::size_t& length,
                                char32_t& c) {
    using Result = InputDecoder::Result;
    if (count == 0)
        return Result::NeedMore;
    if (bytes[0] < 0x80) {
        length = 1;
        c = bytes[0];
        return Result::Character;
    }
    LeadForm form;
    if (!FormOf(bytes[0], form))
        return Result::NotACharacter;
    char32_t value = bytes[0] & form.valueMask;
    for (std::size_t i = 1; i < form.length; ++i) {
        if (i == count)
            return Result::NeedMore;
        const int low = i == 1 ? form.secondLow : 0x80;
        const int high = i == 1 ? form.secondHigh : 0xBF;
        if (bytes[i] < low || bytes[i] > high)
            return Result::NotACharacter;
        value = value << 6 | (bytes[i] & 0x3F);
    }
    length = form.length;
    c = value;
    return Result::Character;
}

void AppendUtf8(char32_t c, std::string& out) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace zl
