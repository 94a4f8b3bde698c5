#include "engine/ListingHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace zl {
namespace {

// The narrow widths the composer tests never reach: the dots stay.
TEST(ListingHeaderTest, TheFileTextEndsTwoColumnsBeforeTheDate) {
    struct Case {
        std::string path;
        std::int32_t datePosition;
        std::string fileText;
    };
    const Case cases[] = {
        {"", 22, "  File: "},
        {"C:/TEMP/AB.C", 22, "  File: C:/TEMP/AB.C"},   // 20: fits
        {"C:/TEMP/ABC.D", 22, "  File: ...EMP/ABC.D"},  // 21: the last 9 stay
        {"C:/TEMP/ABC.D", 23, "  File: C:/TEMP/ABC.D"}, // 21: fits
        {"C:/TEMP/ABC.D", 14, "  File: ...D"},
        // No room even for the dots: they stay, and nothing of the path.
        {"C:/TEMP/ABC.D", 5, "  File: ..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " " + std::to_string(c.datePosition));
        EXPECT_EQ(HeaderFileText(c.path, c.datePosition), c.fileText);
    }
}

// A file's path is shortened (head, "...", tail) where that fits before the
// date; else the header shows the last characters of the path itself after
// one "...": at 105 columns the date stands from column 34, leaving 32
// columns, so "  File: ..." and the path's last 21 characters.
TEST(ListingHeaderTest, ALongPathKeepsItsOwnLastCharactersAfterOneEllipsis) {
    const std::string date = "Sunday, December 6, 2026 at 11:31 AM"; // 36 characters
    const std::string path = "C:/Program Files/Listings/Source/MAIN.PAS";
    struct Case {
        std::int32_t width;
        bool landscape;
        std::string line;
    };
    const Case cases[] = {
        {105, true,
         "  File: ...tings/Source/MAIN.PAS " + date + std::string(29, ' ') + "Page 1 \r\n"},
        // 133 columns: the date from column 48; the shortened path fits.
        {133, false,
         "  File: C:/Program Files.../MAIN.PAS" + std::string(11, ' ') + date +
             std::string(44, ' ') + "Page 1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        ListingHeader header;
        header.StartWithPath(path, date, c.width, c.landscape);
        EXPECT_EQ(header.NextPage(1), c.line);
    }
}

} // namespace
} // namespace zl
