#include "engine/DateTimeFormat.h"

#include <cctype>
#include <cstddef>
#include <cstring>

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

// A marker of the half of the day and what it stands for before and after
// noon.
struct HalfDayMarker {
    const char* marker;
    const char* morning;
    const char* afternoon;
};

constexpr HalfDayMarker kHalfDayMarkers[] = {{"am/pm", "am", "pm"}, {"a/p", "a", "p"}};

// The marker that stands at `at`, null for none.
const HalfDayMarker* HalfDayMarkerAt(const std::string& format, std::size_t at) {
    for (const HalfDayMarker& marker : kHalfDayMarkers) {
        if (StartsWithNoCase(format, at, marker.marker))
            return &marker;
    }
    return nullptr;
}

// A format with a half-day marker anywhere tells the hour on the 12-hour
// clock.
bool TwelveHourClock(const std::string& format) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (HalfDayMarkerAt(format, i))
            return true;
    }
    return false;
}

// Appends the half of the day that `marker` at `at` shows for `hour`, in the
// case of the marker's first letter; where the format goes on after it.
std::size_t AppendHalfDay(const std::string& format, std::size_t at, const HalfDayMarker& marker,
                          int hour, std::string& out) {
    std::string half = hour < 12 ? marker.morning : marker.afternoon;
    if (std::isupper(static_cast<unsigned char>(format[at]))) {
        for (char& c : half)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    out += half;
    return at + std::strlen(marker.marker);
}

// Appends the text between the quote at `at` and the next one of its kind
// (or the end of the format); where the format goes on after it.
std::size_t AppendQuoted(const std::string& format, std::size_t at, std::string& out) {
    const std::size_t close = format.find(format[at], at + 1);
    const std::size_t end = close == std::string::npos ? format.size() : close;
    out += format.substr(at + 1, end - at - 1);
    return end + 1;
}

// What the fields of a format are filled from.
struct FieldValues {
    const LocalTime& time;
    const std::string& dayName; // the long names
    const std::string& monthName;
    bool twelveHour;
};

// A day or month field of `letters` letters: four or more give the name,
// three its first three letters, fewer the number in as many digits.
std::string NameOrNumber(const std::string& name, int number, std::size_t letters) {
    if (letters >= 4)
        return name;
    return letters == 3 ? name.substr(0, 3) : Number(number, letters);
}

int TwelveHour(int hour) {
    return hour % 12 == 0 ? 12 : hour % 12;
}

// The text of the field `run` (one letter, repeated, in either case), or
// the run itself when its letter stands for no field; m right after an hour
// stands for the minutes.
std::string FieldText(const std::string& run, bool afterHour, const FieldValues& values) {
    const LocalTime& time = values.time;
    const std::size_t letters = run.size();
    const std::size_t digits = letters >= 2 ? 2 : 1;
    switch (Lower(run[0])) {
    case 'd':
        return NameOrNumber(values.dayName, time.day, letters);
    case 'm':
        if (afterHour && letters <= 2)
            return Number(time.minute, letters);
        return NameOrNumber(values.monthName, time.month, letters);
    case 'y':
        return letters >= 3 ? Number(time.year, 4) : Number(time.year % 100, 2);
    case 'h':
        return Number(values.twelveHour ? TwelveHour(time.hour) : time.hour, digits);
    case 'n':
        return Number(time.minute, digits);
    case 's':
        return Number(time.second, digits);
    default:
        return run;
    }
}

// Whether an m after a run of `letter` still follows an hour: it does right
// after the hour and across blanks, colons and the minutes themselves.
bool StillAfterHour(char letter, bool afterHour) {
    return letter == 'h' || (afterHour && (letter == ' ' || letter == ':' || letter == 'm'));
}

} // namespace

std::string FormatDateTime(const std::string& format, const LocalTime& time,
                           const LocaleNames& names) {
    const FieldValues values{time, names.longDayNames[static_cast<std::size_t>(time.dayOfWeek % 7)],
                             names.longMonthNames[static_cast<std::size_t>((time.month + 11) % 12)],
                             TwelveHourClock(format)};
    std::string out;
    bool afterHour = false;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] == '"' || format[i] == '\'') {
            i = AppendQuoted(format, i, out);
        } else if (const HalfDayMarker* marker = HalfDayMarkerAt(format, i)) {
            i = AppendHalfDay(format, i, *marker, time.hour, out);
        } else {
            const std::string run = format.substr(i, Run(format, i, Lower(format[i])));
            out += FieldText(run, afterHour, values);
            afterHour = StillAfterHour(Lower(run[0]), afterHour);
            i += run.size();
        }
    }
    return out;
}

} // namespace zl
