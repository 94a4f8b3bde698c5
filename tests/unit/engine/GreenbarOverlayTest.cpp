#include "engine/GreenbarOverlay.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace zl {
namespace {

using Pieces = std::vector<std::string>;

std::string Esc(const std::string& rest) {
    return "\x1b" + rest;
}

// A geometry with its derived values set, as a listing has it when it
// writes the overlay.
PageGeometry Geometry(bool landscape, int linesPerInch) {
    PageGeometry geometry;
    geometry.lineWidth = landscape ? 105 : 80;
    geometry.linesPerInch = linesPerInch;
    geometry.pageLength = landscape ? 15 : 20;
    geometry.barWidth = landscape ? 21 : 16;
    geometry.lineHeight = linesPerInch == 6 ? 120 : 90;
    if (landscape)
        geometry.linesPerPage = linesPerInch == 6 ? 45 : 60;
    else
        geometry.linesPerPage = linesPerInch == 6 ? 60 : 80;
    geometry.barWidthDots = landscape ? 3150 : 2400;
    return geometry;
}

struct BandCase {
    const char* name;
    bool landscape;
    int linesPerInch;
    int barHeight;
    int bands;
    int lastPosition; // decipoints
};

void PrintTo(const BandCase& c, std::ostream* os) {
    *os << c.name;
}

class BandTableTest : public ::testing::TestWithParam<BandCase> {};

TEST_P(BandTableTest, BandsFromTheTopEveryOtherBandHeight) {
    const BandCase& c = GetParam();
    const PageGeometry geometry = Geometry(c.landscape, c.linesPerInch);
    const int bandHeight = c.barHeight * geometry.lineHeight;
    const std::string width = Esc("*c" + std::to_string(geometry.barWidthDots) + "A");
    const std::string height = Esc("*c" + std::to_string(bandHeight) + "V");

    const Pieces pieces = OverlayPieces(geometry, c.barHeight);

    ASSERT_EQ(pieces.size(), 3u + 5u * static_cast<unsigned>(c.bands) + 3u);
    EXPECT_EQ(Pieces(pieces.begin(), pieces.begin() + 3),
              (Pieces{Esc("&f1Y"), Esc("&f0X"), Esc("&f0S")}));
    EXPECT_EQ(Pieces(pieces.end() - 3, pieces.end()),
              (Pieces{Esc("&f1S"), Esc("&f1X"), Esc("&f4X")}));
    for (int band = 0; band < c.bands; ++band) {
        SCOPED_TRACE("band " + std::to_string(band));
        const auto at = pieces.begin() + 3 + 5 * band;
        EXPECT_EQ(Pieces(at, at + 5),
                  (Pieces{Esc("&a" + std::to_string(2 * bandHeight * band) + "V"), width, height,
                          Esc("*c10G"), Esc("*c2P")}));
    }
    EXPECT_EQ(pieces[3 + 5 * (c.bands - 1)], Esc("&a" + std::to_string(c.lastPosition) + "V"));
    // Only vertical positions: the bands start at the left margin.
    for (const std::string& piece : pieces)
        EXPECT_EQ(piece.find('H'), std::string::npos) << piece;
}

// Number of bands and the position of the last, for every geometry and bar height.
INSTANTIATE_TEST_SUITE_P(AllGeometries, BandTableTest,
                         ::testing::Values(BandCase{"Portrait6Bar1", false, 6, 1, 30, 6960},
                                           BandCase{"Portrait6Bar2", false, 6, 2, 15, 6720},
                                           BandCase{"Portrait6Bar3", false, 6, 3, 10, 6480},
                                           BandCase{"Portrait6Bar4", false, 6, 4, 8, 6720},
                                           BandCase{"Portrait6Bar5", false, 6, 5, 6, 6000},
                                           BandCase{"Portrait6Bar6", false, 6, 6, 5, 5760},
                                           BandCase{"Portrait8Bar1", false, 8, 1, 40, 7020},
                                           BandCase{"Portrait8Bar2", false, 8, 2, 20, 6840},
                                           BandCase{"Portrait8Bar3", false, 8, 3, 14, 7020},
                                           BandCase{"Portrait8Bar4", false, 8, 4, 10, 6480},
                                           BandCase{"Portrait8Bar5", false, 8, 5, 8, 6300},
                                           BandCase{"Portrait8Bar6", false, 8, 6, 7, 6480},
                                           BandCase{"Landscape6Bar1", true, 6, 1, 23, 5280},
                                           BandCase{"Landscape6Bar2", true, 6, 2, 12, 5280},
                                           BandCase{"Landscape6Bar3", true, 6, 3, 8, 5040},
                                           BandCase{"Landscape6Bar4", true, 6, 4, 6, 4800},
                                           BandCase{"Landscape6Bar5", true, 6, 5, 5, 4800},
                                           BandCase{"Landscape6Bar6", true, 6, 6, 4, 4320},
                                           BandCase{"Landscape8Bar1", true, 8, 1, 30, 5220},
                                           BandCase{"Landscape8Bar2", true, 8, 2, 15, 5040},
                                           BandCase{"Landscape8Bar3", true, 8, 3, 10, 4860},
                                           BandCase{"Landscape8Bar4", true, 8, 4, 8, 5040},
                                           BandCase{"Landscape8Bar5", true, 8, 5, 6, 4500},
                                           BandCase{"Landscape8Bar6", true, 8, 6, 5, 4320}),
                         [](const ::testing::TestParamInfo<BandCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(GreenbarOverlayTest, LandscapeEightLpiBarFiveWriteForWrite) {
    // Bands of 5 x 90 = 450 decipoints every 900, below 5400, 3150 dots wide.
    const Pieces expected = {"\x1b&f1Y",    "\x1b&f0X",    "\x1b&f0S",                            //
                             "\x1b&a0V",    "\x1b*c3150A", "\x1b*c450V", "\x1b*c10G", "\x1b*c2P", //
                             "\x1b&a900V",  "\x1b*c3150A", "\x1b*c450V", "\x1b*c10G", "\x1b*c2P", //
                             "\x1b&a1800V", "\x1b*c3150A", "\x1b*c450V", "\x1b*c10G", "\x1b*c2P", //
                             "\x1b&a2700V", "\x1b*c3150A", "\x1b*c450V", "\x1b*c10G", "\x1b*c2P", //
                             "\x1b&a3600V", "\x1b*c3150A", "\x1b*c450V", "\x1b*c10G", "\x1b*c2P", //
                             "\x1b&a4500V", "\x1b*c3150A", "\x1b*c450V", "\x1b*c10G", "\x1b*c2P", //
                             "\x1b&f1S",    "\x1b&f1X",    "\x1b&f4X"};
    EXPECT_EQ(OverlayPieces(Geometry(true, 8), 5), expected);
}

TEST(GreenbarOverlayTest, FirstPortraitBandInBytes) {
    const Pieces pieces = OverlayPieces(Geometry(false, 6), 2);
    ASSERT_EQ(pieces.size(), 81u);
    EXPECT_EQ(pieces[3], "\x1b\x26\x61\x30\x56");
    EXPECT_EQ(pieces[4], "\x1b\x2a\x63\x32\x34\x30\x30\x41");
    EXPECT_EQ(pieces[5], "\x1b\x2a\x63\x32\x34\x30\x56");
    EXPECT_EQ(pieces[6], "\x1b\x2a\x63\x31\x30\x47");
    EXPECT_EQ(pieces[7], "\x1b\x2a\x63\x32\x50");
    EXPECT_EQ(pieces[8], "\x1b&a480V");
}

TEST(GreenbarOverlayTest, LastBandIsWholeEvenBelowTheShadedHeight) {
    // Portrait, 8 lpi, three lines: the band at 7020 is 270 high and ends at 7290.
    const Pieces pieces = OverlayPieces(Geometry(false, 8), 3);
    ASSERT_EQ(pieces.size(), 3u + 14u * 5u + 3u);
    EXPECT_EQ(pieces[3 + 13 * 5], "\x1b&a7020V");
    EXPECT_EQ(pieces[3 + 13 * 5 + 2], "\x1b*c270V");
}

TEST(ClampBarHeightTest, BringsTheHeightIntoOneToSix) {
    EXPECT_EQ(ClampBarHeight(0), 1);
    EXPECT_EQ(ClampBarHeight(-3), 1);
    EXPECT_EQ(ClampBarHeight(INT32_MIN), 1);
    EXPECT_EQ(ClampBarHeight(1), 1);
    EXPECT_EQ(ClampBarHeight(3), 3);
    EXPECT_EQ(ClampBarHeight(6), 6);
    EXPECT_EQ(ClampBarHeight(7), 6);
    EXPECT_EQ(ClampBarHeight(INT32_MAX), 6);
}

} // namespace
} // namespace zl
