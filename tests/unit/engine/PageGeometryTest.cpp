#include "engine/PageGeometry.h"

#include <gtest/gtest.h>

namespace zl {
namespace {

struct GeometryCase {
    PageFlags flags;
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
        PageGeometry g;
        ApplyPageSettings(c.flags, g);
        EXPECT_EQ(g.LineHeight, 0) << "derived only at the start of a listing";
        DeriveGeometry(g);
        SCOPED_TRACE(testing::Message() << "compressed " << c.flags.compressed << " landscape "
                                        << c.flags.landscape << " 6lpi " << c.flags.sixLpi);
        EXPECT_EQ(g.LineWidth, c.expected.LineWidth);
        EXPECT_EQ(g.LinesPerInch, c.expected.LinesPerInch);
        EXPECT_EQ(g.PageLength, c.expected.PageLength);
        EXPECT_EQ(g.BarWidth, c.expected.BarWidth);
        EXPECT_EQ(g.LineHeight, c.expected.LineHeight);
        EXPECT_EQ(g.LinesPerPage, c.expected.LinesPerPage);
        EXPECT_EQ(g.BarWidthDots, c.expected.BarWidthDots);
    }
}

TEST(PageGeometry, ASettingsRunRewritesAllFourAndKeepsTheDerivedOnes) {
    PageGeometry g;
    ApplyPageSettings({true, true, true}, g);
    DeriveGeometry(g);
    ApplyPageSettings({false, false, false}, g);
    EXPECT_EQ(g.LineWidth, 80);
    EXPECT_EQ(g.LinesPerInch, 8);
    EXPECT_EQ(g.PageLength, 20);
    EXPECT_EQ(g.BarWidth, 16);
    EXPECT_EQ(g.LinesPerPage, 45); // until the next listing derives it again
}

TEST(PageGeometry, OnlyUncompressedPitchForcesCourier) {
    EXPECT_TRUE(CourierForced(false));
    EXPECT_FALSE(CourierForced(true));
}

} // namespace
} // namespace zl
