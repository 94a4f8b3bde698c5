#include "platform/LocaleNames.h"

#ifndef _WIN32
#include <langinfo.h>
#include <locale.h>
#else
#include "platform/SystemText.h"
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
    // In UTF-16, as UTF-8: the ANSI code page lacks the letters of many
    // languages, and the header reads UTF-8.
    const auto setFromLocale = [](LCTYPE type, std::string& name) {
        wchar_t text[128];
        if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, sizeof text / sizeof text[0]) > 0)
            name = Utf8OfWide(text);
    };
    // LOCALE_SDAYNAME1 is Monday; Sunday is LOCALE_SDAYNAME7.
    for (int i = 0; i < 7; ++i)
        setFromLocale(i == 0 ? LOCALE_SDAYNAME7 : LOCALE_SDAYNAME1 + i - 1, names.longDayNames[i]);
    for (int i = 0; i < 12; ++i)
        setFromLocale(LOCALE_SMONTHNAME1 + i, names.longMonthNames[i]);
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
