#include "engine/PageGeometry.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

struct GeometryCase {
    struct {
        bool compressed, landscape, sixLpi;
    } flags;
    PageGeometry expected; // all seven values
};

TEST(PageGeometry, EveryOptionCombinationGivesItsSettingsAndDerivedValues) {
    const GeometryCase cases[] = {
        {{true, false, false}, {133, 8, 20, 16, 90, 80, 2400}},
        {{true, false, true}, {133, 6, 20, 16, 120, 60, 2400}},
        {{true, true, false}, {176, 8, 15, 21, 90, 60, 3150}},
        {{true, true, true}, {176, 6, 15, 21, 120, 45, 3150}},
        {{false, false, false}, {80, 8, 20, 16, 90, 80, 2400}},
        {{false, false, true}, {80, 6, 20, 16, 120, 60, 2400}},
        {{false, true, false}, {105, 8, 15, 21, 90, 60, 3150}},
        {{false, true, true}, {105, 6, 15, 21, 120, 45, 3150}},
    };
    for (const GeometryCase& c : cases) {
        ListingOptions options;
        options.compressed = c.flags.compressed;
        options.landscape = c.flags.landscape;
        options.sixLpi = c.flags.sixLpi;
        const PageGeometry g = GeometryFor(options);
        SCOPED_TRACE(testing::Message() << "compressed " << c.flags.compressed << " landscape "
                                        << c.flags.landscape << " 6lpi " << c.flags.sixLpi);
        EXPECT_EQ(g.lineWidth, c.expected.lineWidth);
        EXPECT_EQ(g.linesPerInch, c.expected.linesPerInch);
        EXPECT_EQ(g.pageLength, c.expected.pageLength);
        EXPECT_EQ(g.barWidth, c.expected.barWidth);
        EXPECT_EQ(g.lineHeight, c.expected.lineHeight);
        EXPECT_EQ(g.linesPerPage, c.expected.linesPerPage);
        EXPECT_EQ(g.barWidthDots, c.expected.barWidthDots);
    }
}

TEST(PageGeometry, OnlyUncompressedPitchForcesCourier) {
    EXPECT_TRUE(CourierForced(false));
    EXPECT_FALSE(CourierForced(true));
}

} // namespace
} // namespace zl
