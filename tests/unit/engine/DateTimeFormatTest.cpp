#include "engine/DateTimeFormat.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

LocalTime At(int hour, int minute, int second = 0) {
    return LocalTime{2026, 12, 6, 0 /*Sunday*/, hour, minute, second};
}

TEST(DateTimeFormat, TheStatusBarsDateAndTime) {
    const LocaleNames en = LocaleNames::English();
    const std::string format = " dddd mmmm d, yyyy h:mm am/pm ";
    EXPECT_EQ(FormatDateTime(format, At(11, 31), en), " Sunday December 6, 2026 11:31 am ");
    EXPECT_EQ(FormatDateTime(format, At(0, 5), en), " Sunday December 6, 2026 12:05 am ");
    EXPECT_EQ(FormatDateTime(format, At(12, 0), en), " Sunday December 6, 2026 12:00 pm ");
    EXPECT_EQ(FormatDateTime(format, At(13, 9), en), " Sunday December 6, 2026 1:09 pm ");
}

TEST(DateTimeFormat, OtherPartsAndLiterals) {
    const LocaleNames en = LocaleNames::English();
    LocalTime t = At(13, 5, 9);
    t.month = 3;
    t.day = 7;
    t.dayOfWeek = 6;
    EXPECT_EQ(FormatDateTime("M/d/yyyy", t, en), "3/7/2026");
    EXPECT_EQ(FormatDateTime("dd.mm.yy", t, en), "07.03.26");
    EXPECT_EQ(FormatDateTime("ddd mmm", t, en), "Sat Mar");
    EXPECT_EQ(FormatDateTime("hh:nn:ss", t, en), "13:05:09");
    EXPECT_EQ(FormatDateTime("h:mm AM/PM", t, en), "1:05 PM");
    EXPECT_EQ(FormatDateTime("d \"at\" h 'o''clock", t, en), "7 at 13 oclock");
}

TEST(DateTimeFormat, NamesComeFromTheLocaleGiven) {
    LocaleNames de = LocaleNames::English();
    de.longDayNames[0] = "Sonntag";
    de.longMonthNames[11] = "Dezember";
    EXPECT_EQ(FormatDateTime("dddd, d. mmmm yyyy", At(9, 0), de), "Sonntag, 6. Dezember 2026");
}

} // namespace
} // namespace zl
