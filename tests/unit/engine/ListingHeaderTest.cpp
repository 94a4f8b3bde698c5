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

} // namespace
} // namespace zl
