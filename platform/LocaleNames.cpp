#include "platform/LocaleNames.h"

#ifndef _WIN32
#include <langinfo.h>
#include <locale.h>
#else
#include "platform/WindowsApi.h"
#endif

namespace zl {

LocaleNames LocaleNames::English() {
    return {{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
            {"January", "February", "March", "April", "May", "June", "July", "August", "September",
             "October", "November", "December"}};
}

LocaleNames SystemLocaleNames() {
    LocaleNames names = LocaleNames::English();
#ifdef _WIN32
    char text[128];
    // LOCALE_SDAYNAME1 is Monday; Sunday is LOCALE_SDAYNAME7.
    for (int i = 0; i < 7; ++i) {
        LCTYPE type = i == 0 ? LOCALE_SDAYNAME7 : LOCALE_SDAYNAME1 + i - 1;
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text) > 0)
            names.longDayNames[i] = text;
    }
    for (int i = 0; i < 12; ++i) {
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + i, text, sizeof text) > 0)
            names.longMonthNames[i] = text;
    }
#else
    locale_t locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (!locale)
        return names;
    for (int i = 0; i < 7; ++i)
        names.longDayNames[i] = nl_langinfo_l(static_cast<nl_item>(DAY_1 + i), locale);
    for (int i = 0; i < 12; ++i)
        names.longMonthNames[i] = nl_langinfo_l(static_cast<nl_item>(MON_1 + i), locale);
    freelocale(locale);
#endif
    return names;
}

} // namespace zl
