// The page painter on a 300-dpi image: bands in the grey of their shading,
// characters one cell of 1/pitch inch apart, capitals as tall as the
// printer's, the Line Printer's lines as tall and as light as the printer's
// (in the PDF too), downloaded glyphs bit for bit in their cells, and drawn
// as the listing draws them, as tall as the face's capitals and inside their
// lines and cells.
#include "render/PagePainter.h"

#include "engine/MemorySink.h"
#include "engine/SystemGlyphs.h"
#include "render/PdfDocument.h"
#include "tests/support/TempDir.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zl::render {
namespace {

// Fonts need a GUI application; without a display it runs offscreen.
class PagePainterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QGuiApplication::instance())
            return;
        if (!std::getenv("QT_QPA_PLATFORM") || !*std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "PagePainterTest";
        static char* argv[] = {name, nullptr};
        static QGuiApplication app(argc, argv);
    }

    // `page` painted on a white image of width x height dots at 300 dpi.
    static QImage Painted(const Page& page, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        const int dotsPerMetre = qRound(300 / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        image.fill(Qt::white);
        QPainter painter(&image);
        PagePainter().Paint(painter, page);
        painter.end();
        return image;
    }

    // The left and right edges (exclusive) of the runs of dark pixels on
    // row `y`.
    static std::vector<std::pair<int, int>> DarkSpans(const QImage& image, int y) {
        std::vector<std::pair<int, int>> spans;
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) >= 128)
                continue;
            if (spans.empty() || spans.back().second != x)
                spans.push_back({x, x + 1});
            else
                spans.back().second = x + 1;
        }
        return spans;
    }

    // The first and last rows (inclusive) with dark pixels; {-1, -1} for
    // none.
    static std::pair<int, int> InkRows(const QImage& image) {
        std::pair<int, int> rows{-1, -1};
        for (int y = 0; y < image.height(); ++y) {
            if (DarkSpans(image, y).empty())
                continue;
            rows.first = rows.first < 0 ? y : rows.first;
            rows.second = y;
        }
        return rows;
    }

    // The first and last columns (inclusive) with dark pixels.
    static std::pair<int, int> InkColumns(const QImage& image) {
        std::pair<int, int> columns{image.width(), -1};
        for (int y = 0; y < image.height(); ++y) {
            for (const auto& [left, right] : DarkSpans(image, y)) {
                columns.first = std::min(columns.first, left);
                columns.second = std::max(columns.second, right - 1);
            }
        }
        return columns;
    }

    // `text` alone on a page, its left edge at 50 and its baseline at
    // `baseline`; from `glyphs` where given, as the listing downloads them.
    static QImage Line(const std::u32string& text, const FontChoice& font, double baseline,
                       SystemGlyphs* glyphs = nullptr) {
        TextRun run(50, baseline, text, font);
        for (char32_t c : glyphs ? text : U"") {
            const std::optional<GlyphBitmap> drawn = glyphs->Draw(c);
            EXPECT_TRUE(drawn) << "U+" << std::hex << static_cast<unsigned>(c);
            auto glyph = std::make_shared<BitmapGlyph>();
            if (drawn)
                *glyph = {drawn->left,           drawn->top, drawn->width, drawn->height,
                          CellWidth(font.pitch), drawn->rows};
            run.glyphs.push_back(glyph);
            run.glyphAdvance = CellWidth(font.pitch);
        }
        Page page;
        page.runs.push_back(run);
        return Painted(page, 400, 300);
    }

    // The glyphs a listing in `font` at 8 lines per inch downloads.
    static SystemGlyphs GlyphsFor(const FontChoice& font) {
        return SystemGlyphs(static_cast<int>(std::lround(CellWidth(font.pitch))),
                            font.typeface == kLinePrinterTypeface, 300.0 / 8);
    }
};

TEST_F(PagePainterTest, ABandIsTheGreyOfItsShadingAndNothingOutsideIt) {
    Page page;
    page.rects.push_back({100, 20, 300, 40, 10});
    const QImage image = Painted(page, 500, 100);
    // 10% shading: 90% brightness, 229.5 of 255.
    struct Probe {
        int x, y, grey;
    };
    for (const Probe& probe :
         {Probe{100, 20, 229}, Probe{250, 40, 229}, Probe{399, 59, 229}, Probe{99, 40, 255},
          Probe{400, 40, 255}, Probe{250, 19, 255}, Probe{250, 60, 255}}) {
        const QRgb pixel = image.pixel(probe.x, probe.y);
        EXPECT_NEAR(qRed(pixel), probe.grey, 1) << probe.x << "," << probe.y;
        EXPECT_EQ(qRed(pixel), qGreen(pixel));
        EXPECT_EQ(qRed(pixel), qBlue(pixel));
    }
}

TEST_F(PagePainterTest, ShadingPercentagesBecomeBrightness) {
    EXPECT_DOUBLE_EQ(PagePainter::Brightness(0), 1.0);
    EXPECT_DOUBLE_EQ(PagePainter::Brightness(10), 0.9);
    EXPECT_DOUBLE_EQ(PagePainter::Brightness(100), 0.0);
    EXPECT_DOUBLE_EQ(PagePainter::Brightness(120), 0.0);
}

// Each character is drawn in its own cell of 300 / pitch dots: the stems of
// "|||||" are one cell apart, the fifth in the cell that starts at x + 4
// cells; five full blocks (PC-8 219) cover exactly five cells.
TEST_F(PagePainterTest, EachCharacterSitsInItsCell) {
    struct Case {
        double pitch, height;
    };
    for (const Case& c : {Case{10, 12}, Case{16.67, 8.5}}) {
        SCOPED_TRACE(c.pitch);
        const double cell = 300 / c.pitch;
        const double x = 50;
        Page page;
        page.runs.push_back({x, 100, U"|||||", {c.pitch, c.height, 4099}});
        page.runs.push_back({x, 200, U"\u2588\u2588\u2588\u2588\u2588", {c.pitch, c.height, 4099}});
        const QImage image = Painted(page, 300, 240);

        const auto stems = DarkSpans(image, 100 - 10);
        ASSERT_EQ(stems.size(), 5u);
        const double firstCentre = (stems[0].first + stems[0].second) / 2.0;
        for (int n = 0; n < 5; ++n) {
            const double centre = (stems[n].first + stems[n].second) / 2.0;
            EXPECT_NEAR(centre - firstCentre, n * cell, 1.0) << n;
            EXPECT_GT(centre, x + n * cell) << n;
            EXPECT_LT(centre, x + (n + 1) * cell) << n;
        }

        const auto blocks = DarkSpans(image, 200 - 10);
        ASSERT_EQ(blocks.size(), 1u);
        EXPECT_NEAR(blocks[0].first, x, 1.0);
        EXPECT_NEAR(blocks[0].second, x + 5 * cell, 1.0);
    }
}

// Bold cells carry more ink than the same letters in medium (Nimbus Mono PS
// Bold), and italic ones lean to the right (its Italic): the top of an l
// stands right of its foot.
TEST_F(PagePainterTest, BoldCarriesMoreInkAndItalicLeans) {
    const auto ink = [](const QImage& image) {
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (const auto& [left, right] : DarkSpans(image, y))
                dark += right - left;
        }
        return dark;
    };
    FontChoice medium{10, 12, 4099};
    FontChoice bold = medium, italic = medium;
    bold.bold = true;
    italic.italic = true;
    EXPECT_GT(ink(Line(U"return", bold, 100)), ink(Line(U"return", medium, 100)) * 5 / 4);
    // How far the ink's centre in the upper half of the rows stands right
    // of the lower half's.
    const auto leanOf = [](const QImage& image) {
        const auto rows = InkRows(image);
        const int middle = (rows.first + rows.second) / 2;
        double sums[2] = {0, 0}, counts[2] = {0, 0};
        for (int y = rows.first; y <= rows.second; ++y) {
            for (const auto& [left, right] : DarkSpans(image, y)) {
                sums[y <= middle] += (left + right) / 2.0 * (right - left);
                counts[y <= middle] += right - left;
            }
        }
        return counts[0] > 0 && counts[1] > 0 ? sums[1] / counts[1] - sums[0] / counts[0] : 0;
    };
    EXPECT_GE(leanOf(Line(U"l", italic, 100)), 3);
    EXPECT_LE(std::abs(leanOf(Line(U"l", medium, 100))), 1.5);
}

// A capital H stands as tall as in the printer's font, to 0.01 inch (3
// dots): the cap height of the face's published metrics at the printed
// size, 563/1000 of the em for Courier (Nimbus Mono PS's, as Courier's own)
// at 12 point, scaled with the pitch to 7.2 point at 16.67 cpi; 700/1000 for
// the Line Printer's stand-in (League Mono Condensed UltraLight's) at its
// 8.5 point. A capital the listing downloads stands as tall as the face's H
// beside it.
// At 8 lines per inch the descenders of one line stay clear of the capitals
// of the next.
TEST_F(PagePainterTest, CapitalsStandAsTallAsThePrintersAndLinesStayApart) {
    struct Case {
        const char* name;
        FontChoice font;
        double capHeight; // thousandths of the em
        bool downloaded;  // drawn as the listing downloads them
        std::u32string capital, descenders, capitals;
    };
    // Under a line of руд, one of руд and capitals with marks above.
    const std::u32string nextLine = U"\u0440\u0443\u0434\u0419\u0401\u1ea8";
    const FontChoice courier10{10, 12, 4099}, courier16{16.67, 120 / 16.67, 4099},
        linePrinter{16.67, 8.5, kLinePrinterTypeface};
    for (const Case& c :
         {Case{"Courier 10 cpi", courier10, 563, false, U"H", U"gjpqy", U"HHHHH"},
          Case{"Courier 16.67 cpi", courier16, 563, false, U"H", U"gjpqy", U"HHHHH"},
          Case{"Line Printer", linePrinter, 700, false, U"H", U"gjpqy", U"HHHHH"},
          Case{"Cyrillic 10 cpi", courier10, 563, true, U"\u041d", U"\u0440\u0443\u0434", nextLine},
          Case{"Cyrillic 16.67 cpi", courier16, 563, true, U"\u0416", U"\u0440\u0443\u0434",
               nextLine},
          Case{"Cyrillic Line Printer", linePrinter, 700, true, U"\u0416", U"\u0440\u0443\u0434",
               nextLine}}) {
        SCOPED_TRACE(c.name);
        SystemGlyphs glyphs = GlyphsFor(c.font);
        SystemGlyphs* downloaded = c.downloaded ? &glyphs : nullptr;
        const auto h = InkRows(Line(U"H", c.font, 100));
        const auto capital = InkRows(Line(c.capital, c.font, 100, downloaded));
        const double expected =
            c.downloaded ? h.second - h.first + 1 : c.capHeight / 1000 * c.font.height * 300 / 72;
        EXPECT_NEAR(capital.second - capital.first + 1, expected, 3);

        // The listing's baselines at 8 lpi fall on whole and half dots.
        for (double baseline : {178.125, 215.625}) {
            const auto descenders = InkRows(Line(c.descenders, c.font, baseline, downloaded));
            const auto capitals = InkRows(Line(c.capitals, c.font, baseline + 37.5, downloaded));
            EXPECT_LT(descenders.second, capitals.first) << baseline;
        }
    }
}

// A glyph the listing downloads keeps its ink inside its cell, the accents
// of Greek capitals too, and every face has Vietnamese.
TEST_F(PagePainterTest, DownloadedGlyphsStayInsideTheirCells) {
    for (const FontChoice& font : {FontChoice{10, 12, 4099}, FontChoice{16.67, 120 / 16.67, 4099},
                                   FontChoice{16.67, 8.5, kLinePrinterTypeface}}) {
        SCOPED_TRACE(font.typeface);
        SCOPED_TRACE(font.pitch);
        SystemGlyphs glyphs = GlyphsFor(font);
        for (char32_t c :
             std::u32string(U"\u0388\u0389\u038a\u038e\u038f\u0416\u0429\u1ed9\u1ea9")) {
            const auto ink = InkColumns(Line(std::u32string(1, c), font, 100, &glyphs));
            EXPECT_GE(ink.first, 50) << std::hex << static_cast<unsigned>(c);
            EXPECT_LT(ink.second, 50 + CellWidth(font.pitch))
                << std::hex << static_cast<unsigned>(c);
        }
    }
}

// A Line Printer header line spans from its ascenders to its descenders
// what the printer's does, 35 to 36 dots, to 0.01 inch; its stems are about
// as thin as the printer's 2 dots (the ink across a cell of '|', 'l' or 'I',
// counted in dots of black). The PDF, read back by poppler at 300 dpi,
// draws the same.
TEST_F(PagePainterTest, ALinePrinterHeaderIsAsTallAndAsLightAsThePrinters) {
    const std::u32string header =
        U"File: /src/lib/main.c  Thursday, January 1, 1970  Page 1  |lI|lI";
    const FontChoice font{16.67, 8.5, kLinePrinterTypeface};
    const int width = 1200, height = 150, baseline = 100;
    Page page;
    page.paper = PaperSize::Letter();
    page.runs.push_back({0, baseline, header, font});
    MemorySink sink;
    const ListingFaces faces;
    PdfDocument document(sink, faces, page.paper);
    document.Add(page);
    document.Finish("T");
    const test::TempDir dir;
    test::WriteFile(dir / "page.pdf", sink.Bytes());
    const std::string rasterize = "pdftoppm -r 300 -gray -singlefile -x 0 -y 0 -W " +
                                  std::to_string(width) + " -H " + std::to_string(height) + " '" +
                                  (dir / "page.pdf").string() + "' '" + (dir / "page").string() +
                                  "'";
    ASSERT_EQ(std::system(rasterize.c_str()), 0);

    const std::pair<const char*, QImage> drawings[] = {
        {"painter", Painted(page, width, height)},
        {"PDF", QImage(QString::fromStdString((dir / "page.pgm").string()))}};
    const double cell = CellWidth(font.pitch);
    for (const auto& [name, image] : drawings) {
        SCOPED_TRACE(name);
        ASSERT_EQ(image.height(), height);
        const auto ink = InkRows(image);
        EXPECT_GE(ink.second - ink.first + 1, 33);
        EXPECT_LE(ink.second - ink.first + 1, 38);
        for (std::size_t column = header.find(U'|'); column < header.size(); ++column) {
            double black = 0;
            for (int x = static_cast<int>(column * cell); x < (column + 1) * cell; ++x)
                black += 1 - qGray(image.pixel(x, baseline - 10)) / 255.0;
            EXPECT_GE(black, 1.0) << column;
            EXPECT_LE(black, 2.5) << column;
        }
    }
}

// A downloaded glyph's set bits, and only those, come out black at its
// offsets in each cell it is printed in; a blank cell stays white.
TEST_F(PagePainterTest, DownloadedGlyphsAreTheirBitsInTheirCells) {
    auto glyph = std::make_shared<BitmapGlyph>();
    glyph->left = 3;
    glyph->top = 12;
    glyph->width = 10;
    glyph->height = 5;
    glyph->advance = 18;
    glyph->rows = {0xC0, 0x40, 0x21, 0x80, 0x12, 0x00, 0x0C, 0x00, 0xFF, 0xC0};
    TextRun run(20, 40, U"\u0416 \u0416", {});
    run.glyphs = {glyph, nullptr, glyph};
    run.glyphAdvance = 18;
    Page page;
    page.runs.push_back(run);
    const QImage image = Painted(page, 100, 60);

    int black = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            bool set = false;
            for (int column : {0, 2}) {
                const int bitX = x - (20 + 18 * column + glyph->left);
                const int bitY = y - (40 - glyph->top);
                set = set || (bitX >= 0 && bitX < glyph->width && bitY >= 0 &&
                              bitY < glyph->height && glyph->Bit(bitX, bitY));
            }
            EXPECT_EQ(qGray(image.pixel(x, y)) < 128, set) << x << "," << y;
            black += set ? 1 : 0;
        }
    }
    EXPECT_EQ(black, 2 * 20); // the bits set in the rows
}

} // namespace
} // namespace zl::render
