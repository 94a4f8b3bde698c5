#include "engine/ListingHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace zl {
namespace {

TEST(ListingHeaderTest, TheDateIsCentredByItsCharacters) {
    EXPECT_EQ(DatePosition(80, std::string(36, 'd')), 22);
    EXPECT_EQ(DatePosition(80, std::string(35, 'd')), 23);
    EXPECT_EQ(DatePosition(105, std::string(36, 'd')), 34);
    EXPECT_EQ(DatePosition(0, std::string(4, 'd')), -2);
}

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

TEST(ListingHeaderTest, EachPageWritesTheFirstWidthCharactersAndALineEnd) {
    ListingHeader header;
    header.Start("/A", "date", 40, false);
    // The date from 20 - 2 = 18; labels end in column 40.
    const std::string start = "  File: /A" + std::string(7, ' ') + "date";
    EXPECT_EQ(header.NextPage(1), start + std::string(13, ' ') + "Page 1\r\n");
    EXPECT_EQ(header.NextPage(9), start + std::string(13, ' ') + "Page 9\r\n");
    EXPECT_EQ(header.NextPage(10), start + std::string(12, ' ') + "Page 10\r\n");
    header.Start("/A", "date", 40, true);
    // In landscape the label ends in column 39; column 40 keeps what it pushed.
    EXPECT_EQ(header.NextPage(1), start + std::string(12, ' ') + "Page 1 \r\n");
    EXPECT_EQ(header.NextPage(2), start + std::string(12, ' ') + "Page 2P\r\n");
}

} // namespace
} // namespace zl
