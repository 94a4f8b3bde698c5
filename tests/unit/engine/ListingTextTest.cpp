#include "engine/ListingText.h"
#include "engine/LineNumbering.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace zl {
namespace {

std::string Inserted(std::string line, const std::string& text, std::int32_t position) {
    InsertAt(line, text, position);
    return line;
}

TEST(InsertAtTest, TextStartsAtThePositionAndPushesTheRestRight) {
    EXPECT_EQ(Inserted("abcdef", "XY", 1), "XYabcdef");
    EXPECT_EQ(Inserted("abcdef", "XY", 3), "abXYcdef");
    EXPECT_EQ(Inserted("abcdef", "XY", 6), "abcdeXYf");
    EXPECT_EQ(Inserted("    ", "ab", 2), " ab   ");
    EXPECT_EQ(Inserted("abc", "", 2), "abc");
}

TEST(InsertAtTest, PositionsBelowOneCountAsOneAndPastTheEndAppend) {
    EXPECT_EQ(Inserted("abc", "X", 0), "Xabc");
    EXPECT_EQ(Inserted("abc", "X", -5), "Xabc");
    EXPECT_EQ(Inserted("abc", "X", INT32_MIN), "Xabc");
    EXPECT_EQ(Inserted("abc", "X", 4), "abcX");
    // Appended right after the last character: nothing fills the gap.
    EXPECT_EQ(Inserted("abc", "X", 10), "abcX");
    EXPECT_EQ(Inserted("abc", "X", INT32_MAX), "abcX");
    EXPECT_EQ(Inserted("", "X", 3), "X");
}

TEST(ShortenPathTest, WithoutSeparatorTheResultIsEmpty) {
    EXPECT_EQ(ShortenPath(""), "");
    EXPECT_EQ(ShortenPath("MAIN.PAS"), "");
    EXPECT_EQ(ShortenPath("A-very-long-file-name-without-any-folder.txt"), "");
}

// What ShortenPath makes of `path`, a path of `length` characters: the
// case is about its length.
void ExpectShortenedAtLength(const std::string& path, std::size_t length,
                             const std::string& shortened) {
    ASSERT_EQ(path.size(), length) << path;
    EXPECT_EQ(ShortenPath(path), shortened) << path;
}

TEST(ShortenPathTest, PathsBelowThirtyCharactersStayWhole) {
    EXPECT_EQ(ShortenPath("/"), "/");
    EXPECT_EQ(ShortenPath("C:/TEMP/A.TXT"), "C:/TEMP/A.TXT");
    ExpectShortenedAtLength("C:/Sources/Project/UNIT12.PAS", 29, "C:/Sources/Project/UNIT12.PAS");
    ExpectShortenedAtLength("C:/Sources/Project/UNIT12.PA/", 29, "C:/Sources/Project/UNIT12.PA/");
}

TEST(ShortenPathTest, LongPathsKeepHeadAndTailAroundDots) {
    // The head is as long as 25 minus the tail, so the result has 28 characters.
    ExpectShortenedAtLength("C:/Sources/Project/UNIT123.PAS", 30, "C:/Sources/Pr.../UNIT123.PAS");
    ExpectShortenedAtLength("C:/Program Files/Listings/Source/MAIN.PAS", 41,
                            "C:/Program Files.../MAIN.PAS");

    // Tail of 24: one character of head.
    EXPECT_EQ(ShortenPath("C:/dir/ABCDEFGHIJKLMNOPQRSTUVW"), "C.../ABCDEFGHIJKLMNOPQRSTUVW");
    // Tail of exactly 25: no head at all.
    EXPECT_EQ(ShortenPath("C:/dir/ABCDEFGHIJKLMNOPQRSTUVWX"), ".../ABCDEFGHIJKLMNOPQRSTUVWX");
    // Tail longer than 25: the tail whole after the dots.
    EXPECT_EQ(ShortenPath("C:/ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"),
              ".../ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
    // A separator in the first position is found too: the tail is the whole path.
    EXPECT_EQ(ShortenPath("/ABCDEFGHIJKLMNOPQRSTUVWXYZ012"), ".../ABCDEFGHIJKLMNOPQRSTUVWXYZ012");
}

TEST(ShortenPathTest, SeparatorInTheLastPositionIsNotTheTailsStart) {
    // The separator before it starts the tail, which keeps the trailing one.
    ExpectShortenedAtLength("C:/Listings/ABCDEFGHIJKLMNOPQR/", 31, "C:/Li.../ABCDEFGHIJKLMNOPQR/");
    // The only separator is the last character: the last 25 characters follow the dots.
    ExpectShortenedAtLength("ABCDEFGHIJKLMNOPQRSTUVWXYZ012/", 30, "...FGHIJKLMNOPQRSTUVWXYZ012/");
    const std::string longer = std::string(60, 'x') + "0123456789012345678901234/";
    EXPECT_EQ(ShortenPath(longer), "...123456789012345678901234/");
}

TEST(DateTextTest, EnglishDateWithTwelveHourClock) {
    const LocaleNames english = LocaleNames::English();
    EXPECT_EQ(DateText({2026, 12, 6, 0, 11, 31, 0}, english),
              "Sunday, December 6, 2026 at 11:31 AM");
    EXPECT_EQ(DateText({2026, 12, 6, 0, 11, 31, 0}, english).size(), 36u);
    EXPECT_EQ(DateText({2027, 1, 1, 5, 0, 0, 59}, english), "Friday, January 1, 2027 at 12:00 AM");
    EXPECT_EQ(DateText({2026, 2, 28, 6, 0, 5, 0}, english),
              "Saturday, February 28, 2026 at 12:05 AM");
    EXPECT_EQ(DateText({2026, 7, 15, 3, 9, 7, 0}, english), "Wednesday, July 15, 2026 at 9:07 AM");
    EXPECT_EQ(DateText({2026, 7, 13, 1, 12, 0, 0}, english), "Monday, July 13, 2026 at 12:00 PM");
    EXPECT_EQ(DateText({2026, 7, 14, 2, 13, 9, 0}, english), "Tuesday, July 14, 2026 at 1:09 PM");
    EXPECT_EQ(DateText({2026, 7, 16, 4, 23, 59, 0}, english),
              "Thursday, July 16, 2026 at 11:59 PM");
}

TEST(DateTextTest, DayAndMonthNamesComeFromTheNamesGiven) {
    LocaleNames german = LocaleNames::English();
    german.longDayNames = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                           "Donnerstag", "Freitag", "Samstag"};
    german.longMonthNames = {"Januar", "Februar", "M\xe4rz",   "April",   "Mai",      "Juni",
                             "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    EXPECT_EQ(DateText({2026, 12, 6, 0, 11, 31, 0}, german),
              "Sonntag, Dezember 6, 2026 at 11:31 AM");
    EXPECT_EQ(DateText({2026, 3, 5, 4, 18, 40, 0}, german),
              "Donnerstag, M\xe4rz 5, 2026 at 6:40 PM");
}

TEST(PageLabelTextTest, PageAndTheNumber) {
    EXPECT_EQ(PageLabelText(1), "Page 1");
    EXPECT_EQ(PageLabelText(10), "Page 10");
    EXPECT_EQ(PageLabelText(2026), "Page 2026");
}

TEST(LineNumberTextTest, NumberEndsInColumnSevenUpToSixDigits) {
    EXPECT_EQ(LineNumberText(1), "      1: ");
    EXPECT_EQ(LineNumberText(42), "     42: ");
    EXPECT_EQ(LineNumberText(999999), " 999999: ");
    EXPECT_EQ(LineNumberText(999999).size(), 9u);
}

TEST(LineNumberTextTest, LongerNumbersGetOneBlankInFront) {
    EXPECT_EQ(LineNumberText(1000000), " 1000000: ");
    EXPECT_EQ(LineNumberText(123456789), " 123456789: ");
}

// Counted on in place, the text is that of each number written anew, after
// CR LF.
TEST(LineNumberingTest, CountingOnGivesEachNumbersText) {
    LineNumbering numbering;
    for (int number = 1; number <= 1000010; ++number) {
        if (number < 2000 || number > 999990) {
            ASSERT_EQ(std::string(numbering.WithLineEnd().data(),
                                  LineNumbering::kLineEndLength + numbering.Length()),
                      "\r\n" + LineNumberText(number));
        }
        numbering.Next();
    }
    numbering.Restart();
    EXPECT_EQ(std::string(numbering.Text(), numbering.Length()), LineNumberText(1));
}

TEST(FileNamePartTest, WhatFollowsTheLastSeparator) {
    EXPECT_EQ(FileNamePart("C:/TEMP/A.TXT"), "A.TXT");
    EXPECT_EQ(FileNamePart("/home/ann/src/main.c"), "main.c");
    EXPECT_EQ(FileNamePart("/main.c"), "main.c");
    EXPECT_EQ(FileNamePart("A.TXT"), "A.TXT");
    EXPECT_EQ(FileNamePart("listings/"), "");
    EXPECT_EQ(FileNamePart(""), "");
    EXPECT_EQ(FileNamePart("C:\\TEMP/A B.TXT"), "A B.TXT");
}

// A backslash separates folders only on Windows, and only there does a
// drive's colon end what comes before a file's name.
TEST(PathSeparatorsTest, BackslashAndDriveColonSeparateOnlyOnWindows) {
#ifndef _WIN32
    EXPECT_EQ(ShortenPath("C:\\TEMP\\A.TXT"), "");
    EXPECT_EQ(ShortenPath("C:\\Program Files\\Listings\\Source\\MAIN.PAS"), "");
    EXPECT_EQ(FileNamePart("C:\\TEMP\\A.TXT"), "C:\\TEMP\\A.TXT");
    EXPECT_EQ(FileNamePart("C:A.TXT"), "C:A.TXT");
#else
    EXPECT_EQ(ShortenPath("C:\\TEMP\\A.TXT"), "C:\\TEMP\\A.TXT");
    EXPECT_EQ(ShortenPath("C:\\Program Files\\Listings/Source\\MAIN.PAS"),
              "C:\\Program Files...\\MAIN.PAS");
    EXPECT_EQ(FileNamePart("C:\\TEMP\\A.TXT"), "A.TXT");
    EXPECT_EQ(FileNamePart("C:A.TXT"), "A.TXT");
#endif
}

} // namespace
} // namespace zl
