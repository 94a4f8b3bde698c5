// The PCL interpreter against positions worked out by hand from the PCL 5
// rules: logical page 1/4 inch (landscape 0.2 inch, A4 71 and 59 dots) from
// the paper's left edge, top margin 1/2 inch, the first baseline 3/4 of a
// line below it, vertical positions counted from the top margin.
#include "render/PclInterpreter.h"
#include "engine/ListingComposer.h"
#include "render/ListingPainter.h"
#include "render/RenderSink.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace zl::render {
namespace {

std::string Esc(const std::string& rest) {
    return "\x1b" + rest;
}

struct Rendered {
    std::vector<Page> pages;
};

// Renders `bytes` fed in pieces of `chunk` bytes (0: all at once).
Rendered Render(const std::string& bytes, const PaperSize& paper = PaperSize::Letter(),
                std::size_t chunk = 0, const DownloadedCharacterNamer& namer = {}) {
    Rendered out;
    PclInterpreter interpreter(
        paper, [&out](const Page& page) { out.pages.push_back(page); }, namer);
    const std::size_t step = chunk == 0 ? bytes.size() : chunk;
    for (std::size_t at = 0; at < bytes.size(); at += step)
        interpreter.Feed(bytes.data() + at, std::min(step, bytes.size() - at));
    interpreter.Finish();
    return out;
}

// Letter, portrait, 8 lpi, bands two lines (180 decipoints) high every 360
// decipoints over 80 lines, 2400 dots wide: a PCL 5 printer at 300 dpi puts
// 20 bands 75 dots high every 150 dots from 150 dots below the paper's top
// edge, from x = 75 to 2474.
TEST(PclInterpreterTest, OverlayBandsWhereThePrinterPutsThem) {
    std::string stream = Esc("E") + Esc("&l8D") + Esc("&f1Y") + Esc("&f0X") + Esc("&f0S");
    for (int position = 0; position < 7200; position += 360)
        stream += Esc("&a" + std::to_string(position) + "V") + Esc("*c2400A") + Esc("*c180V") +
                  Esc("*c10G") + Esc("*c2P");
    stream += Esc("&f1S") + Esc("&f1X") + Esc("&f4X") + "x" + Esc("*c10a10b0P");

    const Rendered rendered = Render(stream);
    ASSERT_EQ(rendered.pages.size(), 1u);
    const Page& page = rendered.pages[0];
    ASSERT_EQ(page.rects.size(), 21u); // the overlay's 20 bands, then the page's own
    for (int k = 0; k < 20; ++k) {
        SCOPED_TRACE(k);
        const ShadedRect& band = page.rects[static_cast<std::size_t>(k)];
        EXPECT_DOUBLE_EQ(band.x, 75);
        EXPECT_DOUBLE_EQ(band.x + band.width - 1, 2474);
        EXPECT_DOUBLE_EQ(band.y, 150 + 150 * k);
        EXPECT_DOUBLE_EQ(band.height, 75);
        EXPECT_EQ(band.shadePercent, 10);
    }
    // The page's own black square, drawn after "x" on the first baseline,
    // comes after the overlay's bands.
    const ShadedRect& square = page.rects[20];
    EXPECT_EQ(square.shadePercent, 100);
    EXPECT_DOUBLE_EQ(square.x, 75 + 30);
    EXPECT_DOUBLE_EQ(square.y, 150 + 0.75 * 37.5);
    EXPECT_DOUBLE_EQ(square.width, 10);
}

// Listings of two pages rendered straight from the composer. Numbers are
// dots: 16.67 cpi advances 18 dots, 10 cpi 30; 8 lpi is 37.5 dots a line,
// 6 lpi 50. From the logical page's left edge (`offset` from the paper's),
// the header's first mark is column 2 ("  File: "), line 1's column 6
// ("      1: "). The first baseline is 150 + 3/4 line; line 1 is two lines
// below it. Bands: two lines high, every four lines, as wide as the logical
// page (`width`; A4 portrait: 2338 dots).
TEST(PclInterpreterTest, ListingPages) {
    constexpr int kCourier = 4099, kLinePrinter = 0; // typefaces
    struct Case {
        const char* name;
        PaperSize paper;
        bool landscape, compressed, linePrinter;
        int lpi, fileLines, bands;
        double offset, width;
    };
    const std::vector<Case> cases = {
        {"letter portrait 8 lpi", PaperSize::Letter(), false, true, false, 8, 100, 20, 75, 2400},
        {"letter portrait 6 lpi", PaperSize::Letter(), false, false, false, 6, 60, 15, 75, 2400},
        {"letter landscape 8 lpi", PaperSize::Letter(), true, true, true, 8, 60, 15, 60, 3150},
        {"letter landscape 6 lpi", PaperSize::Letter(), true, false, false, 6, 60, 12, 60, 3150},
        {"a4 portrait 8 lpi", PaperSize::A4(), false, true, false, 8, 100, 20, 71, 2338},
        {"a4 portrait 10 cpi", PaperSize::A4(), false, false, false, 6, 60, 15, 71, 2338},
        {"a4 landscape 6 lpi", PaperSize::A4(), true, false, false, 6, 60, 12, 59, 3150},
    };
    test::TempDir dir;
    const std::string path = (dir / "a.txt").string();
    FixedClock clock{LocalTime{2026, 12, 6, 0, 11, 31, 0}};
    const LocaleNames names = LocaleNames::English();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string file;
        for (int i = 0; i < c.fileLines; ++i)
            file += "abc\r\n";
        test::WriteFile(path, file);
        ListingOptions options;
        options.landscape = c.landscape;
        options.compressed = c.compressed;
        options.linePrinter = c.linePrinter;
        options.sixLpi = c.lpi == 6;
        options.pagePaper = PaperOfSize(c.paper);
        ListingComposer composer(options, clock, names);

        std::vector<Page> pages;
        PclInterpreter interpreter(c.paper, [&pages](const Page& page) { pages.push_back(page); });
        RenderSink sink(interpreter);
        composer.Compose(path, sink);
        sink.Finish();
        sink.Finish(); // again: nothing more is ejected
        EXPECT_THROW(sink.Write("x", 1), Exception) << "nothing goes in after the end";

        const double advance = c.compressed ? 18 : 30;
        const double line = c.lpi == 8 ? 37.5 : 50;
        const double firstBaseline = 150 + 0.75 * line;
        ASSERT_EQ(pages.size(), 2u);
        const Page& page = pages[0];
        EXPECT_EQ(page.landscape, c.landscape);
        ASSERT_GE(page.runs.size(), 2u);
        const TextRun& header = page.runs[0];
        EXPECT_EQ(header.text.substr(0, 6), U"File: ");
        EXPECT_DOUBLE_EQ(header.x, c.offset + 2 * advance);
        EXPECT_DOUBLE_EQ(header.baseline, firstBaseline);
        // Its last character ("Page 1" ends in the line's last column) is
        // inside the logical page, which the printer cuts the text at.
        const double logicalWidth = (c.landscape ? c.paper.height : c.paper.width) - 2 * c.offset;
        const std::size_t last = header.text.find_last_not_of(U' ');
        EXPECT_EQ(header.text.substr(last - 5, 6), U"Page 1");
        EXPECT_LE(header.x + static_cast<double>(last + 1) * advance, c.offset + logicalWidth);
        const TextRun& line1 = page.runs[1];
        EXPECT_EQ(line1.text, U"1: abc");
        EXPECT_DOUBLE_EQ(line1.x, c.offset + 6 * advance);
        EXPECT_DOUBLE_EQ(line1.baseline, firstBaseline + 2 * line);
        EXPECT_DOUBLE_EQ(line1.font.pitch, c.compressed ? 16.67 : 10);
        EXPECT_EQ(line1.font.typeface, c.linePrinter ? kLinePrinter : kCourier);
        // The second page begins with its header on its first line: the
        // printer's page is as long as the listing's on every paper.
        ASSERT_FALSE(pages[1].runs.empty());
        EXPECT_EQ(pages[1].runs[0].text.substr(0, 6), U"File: ");
        EXPECT_DOUBLE_EQ(pages[1].runs[0].baseline, firstBaseline);

        ASSERT_EQ(page.rects.size(), static_cast<std::size_t>(c.bands));
        for (std::size_t k = 0; k < page.rects.size(); ++k) {
            const ShadedRect& band = page.rects[k];
            EXPECT_DOUBLE_EQ(band.x, c.offset);
            EXPECT_DOUBLE_EQ(band.y, 150 + 4 * line * static_cast<double>(k));
            EXPECT_DOUBLE_EQ(band.width, c.width);
            EXPECT_DOUBLE_EQ(band.height, 2 * line);
        }
#ifndef _WIN32 // where the listing downloads glyphs
        // A character of the listing's downloaded font sits in the cell after
        // "a", drawn and named; the face prints "b" in the next cell.
        test::WriteFile(path, "a\xd0\x96"
                              "b\r\n");
        std::vector<Page> glyphPages;
        PclInterpreter glyphs(
            c.paper, [&glyphPages](const Page& page) { glyphPages.push_back(page); },
            DownloadedCharacters(composer));
        RenderSink glyphSink(glyphs);
        composer.Compose(path, glyphSink);
        glyphSink.Finish();
        ASSERT_EQ(glyphPages.size(), 1u);
        const std::vector<TextRun>& runs = glyphPages[0].runs;
        ASSERT_EQ(runs.size(), 4u); // the header, "1: a", the glyph, "b"
        EXPECT_EQ(runs[2].text, U"\u0416");
        ASSERT_EQ(runs[2].glyphs.size(), 1u);
        ASSERT_TRUE(runs[2].glyphs[0]);
        EXPECT_GT(runs[2].glyphs[0]->height, 0);
        EXPECT_DOUBLE_EQ(runs[2].glyphAdvance, advance);
        EXPECT_DOUBLE_EQ(runs[2].x, line1.x + 4 * advance);
        EXPECT_DOUBLE_EQ(runs[2].baseline, line1.baseline);
        EXPECT_EQ(runs[3].text, U"b");
        EXPECT_DOUBLE_EQ(runs[3].x, line1.x + 5 * advance);
        EXPECT_EQ(runs[3].font.typeface, line1.font.typeface);
        EXPECT_DOUBLE_EQ(runs[3].font.pitch, line1.font.pitch);
#endif
    }
}

// The composer counts the pages the printer ejects: each a header begins,
// each a form feed begins once a line is on it, and none for a form feed
// that ends the file; whatever the lines, wraps and form feeds.
TEST(PclInterpreterTest, TheComposersPageCountIsThePagesThePrinterEjects) {
    const auto lines = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "abc\r\n";
        return text;
    };
    const std::vector<std::string> files = {"", "abc", lines(78), lines(79), lines(200), "a\fb",
                                            "a\f", "\f\f\f", "\fa\f\f", std::string(20000, 'x'),
                                            lines(10) + "\f" + lines(100),
                                            lines(77) + std::string(400, 'x') + "\f",
                                            // Form feeds in lines: each page from the left
                                            // margin, none past the right edge.
                                            "a\fb\fc\fd\fe\ff\fg\fh\fi\fj\fk\fl\fm\fn\fo\fp\n"};
    test::TempDir dir;
    const std::string path = (dir / "a.txt").string();
    FixedClock clock{LocalTime{2026, 12, 6, 0, 11, 31, 0}};
    const LocaleNames names = LocaleNames::English();
    ListingComposer composer(ListingOptions{}, clock, names);
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        test::WriteFile(path, files[i]);
        PclInterpreter interpreter(PaperSize::Letter(), {});
        RenderSink sink(interpreter);
        composer.Compose(path, sink);
        sink.Finish();
        EXPECT_EQ(composer.PagesComposed(), interpreter.PageCount());
    }
}

// Sequences that draw nothing leave no trace in the text, however the
// stream is cut into pieces: landscape, a stroke weight, a combined
// sequence (landscape, Letter, 8 lpi), binary data holding an ESC, and a
// sequence cut off by the end of the stream.
TEST(PclInterpreterTest, SkippedSequencesLeaveNoText) {
    const std::string stream = Esc("E") + Esc("&l1O") + Esc("(s3B") + "ab" + Esc("&l1o2a8D") +
                               "cd" + Esc("*b5W") + "\x1b&l2D" + "ef" + Esc("&l1");
    for (std::size_t chunk : {0, 1, 2, 3, 7}) {
        SCOPED_TRACE(chunk);
        const Rendered rendered = Render(stream, PaperSize::Letter(), chunk);
        ASSERT_EQ(rendered.pages.size(), 2u); // the orientation command ejects "ab"
        struct Expected {
            std::u32string text;
            double baseline;
        };
        const Expected expected[] = {{U"ab", 150 + 0.75 * 50}, {U"cdef", 150 + 0.75 * 37.5}};
        for (std::size_t i = 0; i < 2; ++i) {
            const Page& page = rendered.pages[i];
            EXPECT_TRUE(page.landscape);
            ASSERT_EQ(page.runs.size(), 1u);
            EXPECT_EQ(page.runs[0].text, expected[i].text);
            EXPECT_DOUBLE_EQ(page.runs[0].x, 60);
            EXPECT_DOUBLE_EQ(page.runs[0].baseline, expected[i].baseline);
        }
    }
}

// Control codes: TAB to the printer's stops (8 columns), backspace, text
// clipped at the printable area's right edge (2500 dots portrait), and a
// line feed past the text length (60 lines at 6 lpi) ejecting the page.
TEST(PclInterpreterTest, ControlCodes) {
    std::string stream = Esc("E") + "a\tb\bc" + "\r\n" + std::string(81, 'x') + "\r\n";
    for (int line = 3; line <= 61; ++line)
        stream += "y\r\n";
    const Rendered rendered = Render(stream);
    ASSERT_EQ(rendered.pages.size(), 2u);
    const Page& page = rendered.pages[0];
    ASSERT_EQ(page.runs.size(), 3u + 1 + 58); // a, b, c; the x line; lines 3 to 60
    EXPECT_EQ(page.runs[0].text, U"a");
    EXPECT_DOUBLE_EQ(page.runs[1].x, 75 + 8 * 30); // "b", overprinted by "c"
    EXPECT_EQ(page.runs[2].text, U"c");
    EXPECT_DOUBLE_EQ(page.runs[2].x, 75 + 8 * 30);
    // 81 cells from x = 75 end at 2505: the last one is clipped.
    EXPECT_EQ(page.runs[3].text, std::u32string(80, U'x'));
    EXPECT_DOUBLE_EQ(page.runs.back().baseline, 187.5 + 59 * 50);
    ASSERT_EQ(rendered.pages[1].runs.size(), 1u);
    EXPECT_DOUBLE_EQ(rendered.pages[1].runs[0].baseline, 187.5);
}

// Bold (ESC ( s 3 B) and italic (ESC ( s 1 S) begin runs of their own and
// end with medium and upright; Line Printer asked for bold prints Courier
// Bold at the pitch's height. An underline, 5 dots below the baseline and 3
// thick, runs under every cell printed while it is on, blanks too.
TEST(PclInterpreterTest, WeightStyleAndUnderline) {
    const Rendered rendered =
        Render(Esc("E") + "a" + Esc("(s3B") + "b" + Esc("(s0B") + Esc("(s1S") + "c" + Esc("(s0S") +
               Esc("&d0D") + "d e" + Esc("&d@") + "f\r\n" + Esc("(s0T") + Esc("(s16.67H") + "h" +
               Esc("(s3B") + "g" + Esc("(s0B") + "\r\n" +
               // A run struck again two dots to the right, the cursor back after the first.
               Esc("&f0S") + "k" + Esc("&f1S") + Esc("*p+2X") + "k" + Esc("*p-2X") + "m");
    ASSERT_EQ(rendered.pages.size(), 1u);
    const Page& page = rendered.pages[0];
    ASSERT_EQ(page.runs.size(), 9u);
    const struct {
        std::u32string text;
        double x;
        bool bold, italic;
        int typeface;
    } runs[] = {{U"a", 75, false, false, 4099}, {U"b", 105, true, false, 4099},
                {U"c", 135, false, true, 4099}, {U"d ef", 165, false, false, 4099},
                {U"h", 75, false, false, 0},    {U"g", 93, true, false, 4099},
                {U"k", 75, false, false, 0},    {U"k", 77, false, false, 0},
                {U"m", 93, false, false, 0}};
    for (std::size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(page.runs[i].text, runs[i].text);
        EXPECT_DOUBLE_EQ(page.runs[i].x, runs[i].x);
        EXPECT_EQ(page.runs[i].font.bold, runs[i].bold);
        EXPECT_EQ(page.runs[i].font.italic, runs[i].italic);
        EXPECT_EQ(page.runs[i].font.typeface, runs[i].typeface);
    }
    EXPECT_DOUBLE_EQ(page.runs[5].font.height, 120 / 16.67);
    ASSERT_EQ(page.rects.size(), 1u);
    EXPECT_DOUBLE_EQ(page.rects[0].x, 165);
    EXPECT_DOUBLE_EQ(page.rects[0].width, 90);
    EXPECT_DOUBLE_EQ(page.rects[0].y, 187.5 + 5);
    EXPECT_DOUBLE_EQ(page.rects[0].height, 3);
}

// Byte 0x82 prints as é in PC-8 and 0xC5 as é in Roman-8; 0x80 is the euro
// sign in Windows Latin 1 and Latin 2, nothing in Roman-8 and Latin 5, whose
// 0xD0 is Ğ; Latin 2's 0xBF is ż.
TEST(PclInterpreterTest, SymbolSets) {
    const Rendered rendered =
        Render(Esc("E") + Esc("(10U") + "\x82" + Esc("(8U") + "\xc5" + "\x80" + Esc("(19U") +
               "\x80" + Esc("(9E") + "\x80\xbf" + Esc("(5N") + "\x80\xd0");
    ASSERT_EQ(rendered.pages.size(), 1u);
    std::u32string text;
    for (const auto& run : rendered.pages[0].runs)
        text += run.text;
    EXPECT_EQ(text, U"\u00e9\u00e9\u20ac\u20ac\u017c\u011e");
}

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A bitmap soft font built by hand from the PCL 5 layout: cells 30 x 50
// dots, the baseline 40 dots below the cell's top; code 198 an 8 x 10 "Zhe"
// 4 dots from the cell's left, its top 10 dots above the baseline, advancing
// 120 quarter-dots.
struct HandMadeFont {
    const std::string header =
        Bytes({0, 64,  0, 1,   0, 0,   0, 40,  0, 30, 0, 50,  0, 0, 0,    14,
               0, 120, 0, 200, 0, 100, 0, 0,   0, 0,  0, 0,   0, 0, 0xFD, 2,
               0, 200, 0, 120, 0, 32,  0, 255, 0, 0,  0, 140, 0, 0, 0,    0}) +
        "hand-made font  ";
    const std::string descriptor = Bytes({4, 0, 14, 1, 0, 0, 0, 4, 0, 10, 0, 8, 0, 10, 0, 120});
    const std::string zhe = Bytes({0x92, 0x92, 0x54, 0x54, 0x38, 0x38, 0x54, 0x54, 0x92, 0x92});

    // Font 901 with `head`, and its code 198 with `character`.
    std::string Define(const std::string& head, const std::string& character) const {
        return Esc("*c901D") + Esc(")s" + std::to_string(head.size()) + "W") + head +
               Esc("*c198E") + Esc("(s" + std::to_string(character.size()) + "W") + character;
    }
    std::string Define() const { return Define(header, descriptor + zhe); }
};

// Text printed from the downloaded font sits in the cells of Courier's on
// its baseline: "a", Zhe, "b" (Courier again once the listing's set and face
// are selected), then Zhe, a code without a glyph and Zhe again, which
// share the one bitmap.
TEST(PclInterpreterTest, DownloadedGlyphsPrintInTheirCells) {
    const HandMadeFont font;
    const std::string resident = Esc("(10U") + Esc("(s0p10h12v0s0b4099T");
    const std::string stream = Esc("E") + font.Define() + "a" + Esc("(901X") + "\xc6" + resident +
                               "b" + Esc("(901X") + "\xc6" + "A\xc6" + resident + "c";
    const DownloadedCharacterNamer namer = [](int id, int code) {
        return id == 901 && code == 198 ? U'\u0416' : 0;
    };
    for (std::size_t chunk : {0, 1, 5}) {
        SCOPED_TRACE(chunk);
        const Rendered rendered = Render(stream, PaperSize::Letter(), chunk, namer);
        ASSERT_EQ(rendered.pages.size(), 1u);
        const std::vector<TextRun>& runs = rendered.pages[0].runs;
        const std::u32string texts[] = {U"a", U"\u0416", U"b", U"\u0416 \u0416", U"c"};
        const double columns[] = {0, 1, 2, 3, 6};
        ASSERT_EQ(runs.size(), 5u);
        for (std::size_t i = 0; i < runs.size(); ++i) {
            EXPECT_EQ(runs[i].text, texts[i]) << i;
            EXPECT_DOUBLE_EQ(runs[i].x, 75 + 30 * columns[i]) << i;
            EXPECT_DOUBLE_EQ(runs[i].baseline, 187.5) << i;
            EXPECT_EQ(runs[i].glyphs.empty(), i % 2 == 0) << i;
        }
        EXPECT_EQ(runs[2].font.typeface, 4099);
        ASSERT_EQ(runs[1].glyphs.size(), 1u);
        const BitmapGlyph& zhe = *runs[1].glyphs[0];
        EXPECT_EQ(std::string(zhe.rows.begin(), zhe.rows.end()), font.zhe);
        EXPECT_EQ(zhe.left, 4);
        EXPECT_EQ(zhe.top, 10);
        EXPECT_EQ(zhe.width, 8);
        EXPECT_EQ(zhe.height, 10);
        EXPECT_DOUBLE_EQ(runs[1].glyphAdvance, 30);
        ASSERT_EQ(runs[3].glyphs.size(), 3u);
        EXPECT_EQ(runs[3].glyphs[0], runs[1].glyphs[0]);
        EXPECT_EQ(runs[3].glyphs[1], nullptr);
        EXPECT_EQ(runs[3].glyphs[2], runs[1].glyphs[0]);
    }
    // Without a name the character reads as the replacement character.
    EXPECT_EQ(Render(stream).pages.at(0).runs.at(1).text, U"\ufffd");
}

// A font or character that does not fit the layout of a bitmap font, or that
// is gone, prints no glyph.
TEST(PclInterpreterTest, DownloadsThatDoNotFitOrAreDeletedPrintNoGlyph) {
    const HandMadeFont font;
    const std::string character = font.descriptor + font.zhe;
    std::string outline = font.header, otherFormat = character, compressed = character;
    outline[2] = 10;
    otherFormat[0] = 5;
    compressed[3] = 2;
    const std::string tooLong = character + std::string(70000 - character.size(), '\0');
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"outline font header", font.Define(outline, character)},
        {"header cut short", font.Define(font.header.substr(0, 40), character)},
        {"character of another format", font.Define(font.header, otherFormat)},
        {"compressed character", font.Define(font.header, compressed)},
        {"bitmap shorter than its rows", font.Define(font.header, character.substr(0, 20))},
        {"character longer than the parser delivers", font.Define(font.header, tooLong)},
        {"character before its font", Esc("*c901D") + Esc("*c198E") + Esc("(s26W") + character},
        {"font defined again", font.Define() + Esc(")s64W") + font.header},
        {"fonts deleted", font.Define() + Esc("*c0F")},
        {"font of the ID deleted", font.Define() + Esc("*c2F")},
        {"character deleted", font.Define() + Esc("*c3F")},
        {"printer reset", font.Define() + Esc("E")},
    };
    for (const auto& [name, download] : cases) {
        SCOPED_TRACE(name);
        const Rendered rendered = Render(Esc("E") + download + Esc("(901X") + "\xc6\xc6");
        for (const Page& page : rendered.pages) {
            for (const TextRun& run : page.runs)
                EXPECT_TRUE(run.glyphs.empty() || run.glyphs[0] == nullptr);
        }
    }
}

// Garbage never crashes and memory stays bounded: a huge binary count, and
// pseudo-random bytes rich in ESC and PCL syntax.
TEST(PclInterpreterTest, GarbageStaysBounded) {
    std::string stream = Esc("*b999999999999999999W") + "abc";
    EXPECT_TRUE(Render(stream).pages.empty());

    // An overlay that feeds lines and forms and calls itself still draws on
    // the page going out.
    stream = Esc("&f1Y") + Esc("&f0X") + std::string(100, '\n') + "o\f" + Esc("&f3X") +
             Esc("&f1X") + Esc("&f4X") + "x\fy";
    const Rendered overlaid = Render(stream);
    ASSERT_EQ(overlaid.pages.size(), 2u);
    EXPECT_EQ(overlaid.pages[0].runs.size(), 3u); // the overlay's "o" twice, then "x"

    stream.clear();
    const std::string alphabet = "\x1b\x1b&*()%lafcpsbW0123456789.+-XYHVDOPGEF\r\n\f\tzZ";
    std::uint32_t seed = 12345;
    for (int i = 0; i < 1 << 20; ++i) {
        seed = seed * 1664525u + 1013904223u;
        stream += alphabet[(seed >> 16) % alphabet.size()];
    }
    for (const Page& page : Render(stream).pages) {
        EXPECT_LE(page.runs.size(), 20000u);
        EXPECT_LE(page.rects.size(), 40000u);
        for (const TextRun& run : page.runs)
            EXPECT_EQ(run.text.find(U'\x1b'), std::u32string::npos);
    }
}

} // namespace
} // namespace zl::render
