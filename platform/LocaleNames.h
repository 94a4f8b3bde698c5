// The long names of the days and months in the user's language.
#pragma once

#include <array>
#include <string>

namespace zl {

struct LocaleNames {
    std::array<std::string, 7> longDayNames;    // Sunday first
    std::array<std::string, 12> longMonthNames; // January first

    static LocaleNames English();
};

// The names of the locale that LC_TIME (or LC_ALL, LANG) selects; English
// when that locale is unknown.
LocaleNames SystemLocaleNames();

} // namespace zl
