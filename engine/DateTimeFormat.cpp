#include "engine/DateTimeFormat.h"

#include <cctype>
#include <cstddef>

namespace zl {

namespace {

std::string Number(int value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// How many times `c` repeats at `at`, ignoring case.
std::size_t Run(const std::string& format, std::size_t at, char c) {
    std::size_t n = 0;
    while (at + n < format.size() && Lower(format[at + n]) == c)
        ++n;
    return n;
}

bool StartsWithNoCase(const std::string& text, std::size_t at, const char* word) {
    for (std::size_t i = 0; word[i]; ++i) {
        if (at + i >= text.size() || Lower(text[at + i]) != word[i])
            return false;
    }
    return true;
}

} // namespace

std::string FormatDateTime(const std::string& format, const LocalTime& time,
                           const LocaleNames& names) {
    const bool twelveHour = [&] {
        for (std::size_t i = 0; i < format.size(); ++i) {
            if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p"))
                return true;
        }
        return false;
    }();
    const std::string& day = names.longDayNames[static_cast<std::size_t>(time.dayOfWeek % 7)];
    const std::string& month =
        names.longMonthNames[static_cast<std::size_t>((time.month + 11) % 12)];

    std::string out;
    bool afterHour = false;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = Lower(format[i]);
        if (format[i] == '"' || format[i] == '\'') {
            const std::size_t close = format.find(format[i], i + 1);
            const std::size_t end = close == std::string::npos ? format.size() : close;
            out += format.substr(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        if (StartsWithNoCase(format, i, "am/pm")) {
            const bool upper = std::isupper(static_cast<unsigned char>(format[i])) != 0;
            out += time.hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
            i += 5;
            continue;
        }
        if (StartsWithNoCase(format, i, "a/p")) {
            const bool upper = std::isupper(static_cast<unsigned char>(format[i])) != 0;
            out += time.hour < 12 ? (upper ? "A" : "a") : (upper ? "P" : "p");
            i += 3;
            continue;
        }
        const std::size_t n = Run(format, i, c);
        switch (c) {
        case 'd':
            out += n >= 4 ? day : n == 3 ? day.substr(0, 3) : Number(time.day, n >= 2 ? 2 : 1);
            break;
        case 'm':
            if (afterHour && n <= 2)
                out += Number(time.minute, n);
            else
                out += n >= 4 ? month : n == 3 ? month.substr(0, 3) : Number(time.month, n);
            break;
        case 'y':
            out += n >= 3 ? Number(time.year, 4) : Number(time.year % 100, 2);
            break;
        case 'h': {
            const int hour = twelveHour ? (time.hour % 12 == 0 ? 12 : time.hour % 12) : time.hour;
            out += Number(hour, n >= 2 ? 2 : 1);
            break;
        }
        case 'n':
            out += Number(time.minute, n >= 2 ? 2 : 1);
            break;
        case 's':
            out += Number(time.second, n >= 2 ? 2 : 1);
            break;
        default:
            out += format.substr(i, n == 0 ? 1 : n);
            break;
        }
        if (c == 'h')
            afterHour = true;
        else if (c != ' ' && c != ':' && c != 'm')
            afterHour = false;
        i += n == 0 ? 1 : n;
    }
    return out;
}

} // namespace zl
