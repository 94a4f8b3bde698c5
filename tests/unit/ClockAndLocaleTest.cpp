#include "platform/Clock.h"
#include "platform/LocaleNames.h"

#include "tests/support/ScopedEnv.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

using test::ScopedEnv;

TEST(Clock, LocalTimeFollowsTheTimeZone) {
    {
        ScopedEnv tz("TZ", "UTC");
        const LocalTime t = LocalTimeAt(1796556660); // 2026-12-06 11:31:00 UTC
        EXPECT_EQ(t.year, 2026);
        EXPECT_EQ(t.month, 12);
        EXPECT_EQ(t.day, 6);
        EXPECT_EQ(t.dayOfWeek, 0);
        EXPECT_EQ(t.hour, 11);
        EXPECT_EQ(t.minute, 31);
    }
    ScopedEnv tz("TZ", "EST5");
    const LocalTime t = LocalTimeAt(1796556660);
    EXPECT_EQ(t.hour, 6);
    EXPECT_EQ(t.minute, 31);
    EXPECT_EQ(FixedClock(t).Now().hour, 6);
}

TEST(LocaleNames, TheCLocaleAndUnknownLocalesGiveEnglishNames) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows takes the names from the user's locale, not from LC_ALL";
#endif
    const LocaleNames english = LocaleNames::English();
    EXPECT_EQ(english.longDayNames[0], "Sunday");
    EXPECT_EQ(english.longMonthNames[11], "December");
    {
        ScopedEnv all("LC_ALL", "C");
        const LocaleNames names = SystemLocaleNames();
        EXPECT_EQ(names.longDayNames, english.longDayNames);
        EXPECT_EQ(names.longMonthNames, english.longMonthNames);
    }
    ScopedEnv all("LC_ALL", "xx_NOWHERE.UTF-8");
    EXPECT_EQ(SystemLocaleNames().longMonthNames, english.longMonthNames);
}

} // namespace
} // namespace zl
