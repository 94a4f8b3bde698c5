// The number of each line as a listing writes it, counted on in place: a
// line end and the number's text after it, in a buffer of fixed size that
// writers may copy whole.
#pragma once

#include "engine/ListingText.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace zl {

class LineNumbering {
public:
    static constexpr std::size_t kLineEndLength = 2;
    // CR LF, a blank and up to twenty digits, ": ".
    using Bytes = std::array<char, 32>;

    LineNumbering() { Restart(); }

    // Numbers from 1 again.
    void Restart() { length_ = FormatLineNumber(1, bytes_.data() + kLineEndLength); }

    // The next line's number: the last digit counted on, nines carried into
    // the digits before; a number with one digit more takes a blank before
    // it, or, once only the one blank in front is left, moves right.
    void Next() {
        char* const text = bytes_.data() + kLineEndLength;
        char* digit = text + length_ - 3; // the digit before ": "
        while (*digit == '9')
            *digit-- = '0';
        if (*digit != ' ') {
            ++*digit;
        } else if (digit != text) {
            *digit = '1';
        } else if (length_ + kLineEndLength < bytes_.size()) {
            std::memmove(digit + 2, digit + 1, length_ - 1);
            digit[1] = '1';
            ++length_;
        }
    }

    // The number's text, Length() bytes.
    const char* Text() const { return bytes_.data() + kLineEndLength; }
    std::size_t Length() const { return length_; }
    // CR LF and the number's text, kLineEndLength + Length() bytes of the
    // buffer.
    const Bytes& WithLineEnd() const { return bytes_; }

private:
    Bytes bytes_{'\r', '\n'};
    std::size_t length_ = 0;
};

} // namespace zl
