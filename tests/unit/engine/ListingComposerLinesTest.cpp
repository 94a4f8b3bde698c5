// How the bytes of a file become the lines of its listing: line ends, full
// lines, tabs and characters.
#include "tests/unit/engine/ListingComposerFixture.h"

#include "engine/SystemGlyphs.h"
#include "engine/Utf8.h"
#include "tests/support/DownloadedFontCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace zl {
namespace composer_test {
namespace {

const std::string kEof(1, '\x1a');

TEST_F(ListingComposerTest, EveryKindOfLineEndEndsOneLine) {
    const Writes abcd = {Num(1), "a", "b", kCrLf, Num(2), "c", "d", kCrLf};
    ExpectBodies({
        {"CR LF", "ab\r\ncd\r\n", abcd},
        {"LF", "ab\ncd\n", abcd},
        {"CR", "ab\rcd\r", abcd},
        {"mixed",
         "a\r\nb\nc\rd",
         {Num(1), "a", kCrLf, Num(2), "b", kCrLf, Num(3), "c", kCrLf, Num(4), "d"}},
        // The last line without a line end: its last byte is the last text.
        {"LF, last line open", "ab\ncd", {Num(1), "a", "b", kCrLf, Num(2), "c", "d"}},
        {"CR LF, last line open", "ab\r\ncd", {Num(1), "a", "b", kCrLf, Num(2), "c", "d"}},
        // Only an LF goes with the CR before it: the byte after a CR stays.
        {"CR before text", "a\rb\r", {Num(1), "a", kCrLf, Num(2), "b", kCrLf}},
        {"CR CR CR", "\r\r\rx", {Num(1), kCrLf, Num(2), kCrLf, Num(3), kCrLf, Num(4), "x"}},
        {"LF CR", "\n\r", {Num(1), kCrLf, Num(2), kCrLf}},
        {"CR CR LF", "a\r\r\nb", {Num(1), "a", kCrLf, Num(2), kCrLf, Num(3), "b"}},
        {"LF LF", "\n\n", {Num(1), kCrLf, Num(2), kCrLf}},
    });
}

TEST_F(ListingComposerTest, ByteTwentySixEndsTheInput) {
    ExpectBodies({
        {"in a line", "ab" + kEof + "cd\r\nef", {Num(1), "a", "b"}},
        {"first", kEof + "ab\r\n", {Num(1)}},
        // Nothing read after the line end: the next number stays unwritten.
        {"after CR LF", "ab\r\n" + kEof + "\r\nx", {Num(1), "a", "b", kCrLf}},
        {"after CR", "ab\r" + kEof + "cd\r\n", {Num(1), "a", "b", kCrLf}},
        {"after LF", "ab\n" + kEof + "cd\n", {Num(1), "a", "b", kCrLf}},
        // Never part of a character: the decoder does not see it.
        {"after a character's first byte", "a\xc3" + kEof + "\xa9", {Num(1), "a", "\xc3"}},
    });
}

TEST_F(ListingComposerTest, TheLineNumberTakesItsColumnsOfTheWidth) {
    // 9 columns of number and 71 bytes fill the 80: the line ends there,
    // without a continuation.
    const std::string fits(71, 'x');
    // A continuation holds 75 bytes after its indent.
    const std::string more(75, 'y');
    ExpectBodies({
        {"71 bytes", fits + "\r\nz", Seq() << Num(1) << fits << kCrLf << Num(2) << "z"},
        {"72 bytes", fits + "x\r\nz",
         Seq() << Num(1) << fits << kCrLf << kIndent << "x" << kCrLf << Num(2) << "z"},
        {"continued", fits + more + "z",
         Seq() << Num(1) << fits << kCrLf << kIndent << more << kCrLf << kIndent << "z"},
        {"70 bytes and LF", std::string(70, 'x') + "\ny",
         Seq() << Num(1) << std::string(70, 'x') << kCrLf << Num(2) << "y"},
    });
}

TEST_F(ListingComposerTest, FormFeedStartsAPrinterPageWithoutHeader) {
    EXPECT_EQ(Body(List("a\r\n\fb\r\nc")),
              Joined({Num(1), "a", kCrLf, Num(2), "\r\f", Num(3), "b", kCrLf, Num(4), "c"}));

    // The page the form feed begins holds 60 lines; the next byte gets page 2.
    const std::string listing = List("\f" + Lines(60, "x") + "y");
    const std::vector<std::size_t> headers = Headers(listing);
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(listing.substr(headers[1] - kCrLf.size()),
              Joined(Seq() << kCrLf << PortraitHeader(2) << kCrLf << Num(62) << "y"
                           << PortraitOverlay()));

    EXPECT_EQ(Headers(List("\f" + Lines(59, "x") + "y")).size(), 1u);
}

TEST_F(ListingComposerTest, TabsGoToTheNextStopOfTheSourceLine) {
    const std::string seventy(70, 'a');
    const std::string seventyTwo(72, 'a');
    ExpectBodies({
        {"column 0", "\tx", Seq() << Num(1) << Blanks(8) << "x"},
        {"column 7", "abcdefg\tx",
         Seq() << Num(1) << "abcdefg "
               << "x"},
        {"column 8", "abcdefgh\tx", Seq() << Num(1) << "abcdefgh" + Blanks(8) << "x"},
        {"two", "a\t\tb", Seq() << Num(1) << "a" + Blanks(15) << "b"},
        // The count starts again after a line end and after a form feed.
        {"after LF", "abc\n\tx", Seq() << Num(1) << "abc" << kCrLf << Num(2) << Blanks(8) << "x"},
        {"after FF", "abc\f\tx", Seq() << Num(1) << "abc\r\f" << Num(2) << Blanks(8) << "x"},
        // A character of several bytes counts one.
        {"after é", "\xc3\xa9\tx", Seq() << Num(1) << "\x82" << Blanks(7) << "x"},
        // Column 70 of the source: two blanks, the first fills the line.
        {"wrapping", seventy + "\tx",
         Seq() << Num(1) << seventy << " " << kCrLf << kIndent << " "
               << "x"},
        // The indent of a continuation does not count: column 72, 8 blanks.
        {"after a wrap", seventyTwo + "\tx",
         Seq() << Num(1) << std::string(71, 'a') << kCrLf << kIndent << "a" << Blanks(8) << "x"},
    });
}

// Many lines at once, with input far enough ahead: lines of tabs and
// printable text among those that need more (a wrap, a character, a control
// byte, a lone CR), across a page's end and up to byte 26.
TEST_F(ListingComposerTest, LinesInBulkFollowTheRulesOfEveryLine) {
    struct Row {
        std::string bytes;
        std::string printed; // after the number, before the line end
        int lines;           // printed lines it takes
    };
    const std::vector<Row> rows = {
        {"plain\n", "plain", 1},
        {"\t\tab\r\n", Blanks(16) + "ab", 1},
        {std::string(70, 'y') + "\n", std::string(70, 'y'), 1}, // past 64 bytes
        {"a\tb\n", "a" + Blanks(7) + "b", 1},
        {"\n", "", 1},
        {"c\r", "c", 1},
        {"\r\n", "", 1},
        {std::string(8, '\t') + "b\n", Blanks(64) + "b", 1},
        {"a\x01"
         "b\n",
         "a^Ab", 1},
        {"\xc3\xa9\tb\n", "\x82" + Blanks(7) + "b", 1},
        {std::string(71, 'x') + "\n", std::string(71, 'x'), 1}, // fits: no continuation
        {std::string(9, '\t') + "a\n", Blanks(71) + kCrLf + kIndent + " a", 2},
    };
    std::string file;
    std::string body;
    int number = 0;
    int onPage = 0;
    int page = 1;
    const auto add = [&](const Row& row) {
        file += row.bytes;
        if (onPage == 58) { // the page's last line
            body += PortraitHeader(++page) + kCrLf;
            onPage = 0;
        }
        body += Num(++number) + row.printed + kCrLf;
        onPage += row.lines;
        ASSERT_LE(onPage, 58) << "a wrap at the page's end is not worked out here";
    };
    for (int repeat = 0; repeat < 8; ++repeat)
        for (const Row& row : rows)
            add(row);
    add({"end\n", "end", 1});
    ASSERT_EQ(page, 2);
    EXPECT_EQ(Body(List(file + "\x1a" + Lines(100, "left out"))), body);

    // Wider lines take more blanks than one store holds.
    options.compressed = true;
    const std::string listing = List(Lines(60, std::string(10, '\t') + "x"));
    for (int line = 1; line <= 50; ++line)
        EXPECT_NE(listing.find(Num(line) + Blanks(80) + "x\r\n"), std::string::npos) << line;
}

TEST_F(ListingComposerTest, TabSizeSetsTheStops) {
    options.tabSize = 4;
    ExpectBodies({
        {"4, column 0", "\tx", Seq() << Num(1) << Blanks(4) << "x"},
        {"4, column 4", "abcd\tx", Seq() << Num(1) << "abcd" + Blanks(4) << "x"},
        {"4, column 5", "abcde\tx", Seq() << Num(1) << "abcde" + Blanks(3) << "x"},
    });
    // 0: a TAB is a control byte like the others, shown as "^I"; its two
    // characters may fall on either side of a wrap.
    options.tabSize = 0;
    ExpectBodies({
        {"0", "a\tb\t", Seq() << Num(1) << "a^Ib^I"},
        {"0, full line", std::string(70, 'a') + "\tb",
         Seq() << Num(1) << std::string(70, 'a') << "^" << kCrLf << kIndent << "I"
               << "b"},
    });
    // Raw: the TAB byte as it is, one column.
    options.showControlChars = false;
    ExpectBodies({
        {"0, raw", "a\tb\t", {Num(1), "a", "\t", "b", "\t"}},
        {"0, raw, full line", std::string(70, 'a') + "\tb",
         Seq() << Num(1) << std::string(70, 'a') << "\t" << kCrLf << kIndent << "b"},
    });
}

// é, ß, €, │ and 😀 in UTF-8.
const std::string kCharacters = "\xc3\xa9\xc3\x9f\xe2\x82\xac\xe2\x94\x82\xf0\x9f\x98\x80";
// A wide character not printed: '?' in its two columns (one on Windows,
// which has no tables of widths).
#ifdef _WIN32
const std::string kWideNotPrinted = "?";
#else
const std::string kWideNotPrinted = "? ";
#endif

// A character prints from the listing's own set, else from the first of the
// other sets that has it, selected just before it; the own set is selected
// again before a character that needs it, and before the next header. A
// character and its combining marks take one cell, as the one character
// they compose to, else as the base; characters invisible by nature take
// none; wide characters two, a wrap never between them.
TEST_F(ListingComposerTest, CharactersBecomeTheirByteInTheSetThatHasThem) {
    struct Case {
        const char* name;
        bool noIbm;
        const char* sets;
        std::string text;
        Writes bytes;
        int notPrinted;
        int nearEnough = 0;
    };
    const std::string euro = "\xe2\x82\xac";
    const std::string page1 = Lines(57, "x");
    const Case cases[] = {
        {"PC-8",
         false,
         "",
         kCharacters,
         {"\x82", "\xe1", Esc("(19U") + "\x80", Esc("(10U") + "\xb3", kWideNotPrinted},
         1},
        {"PC-8, no other set",
         false,
         "none",
         kCharacters,
         {"\x82", "\xe1", "?", "\xb3", kWideNotPrinted},
         2},
        // ż from Windows Latin 2, ó from PC-8, a curly quote from Latin 1;
        // 日 from none of Windows Latin 2, nor near enough.
        {"Polish",
         false,
         "",
         "\xc5\xbc\xc3\xb3\xe2\x80\x9c",
         {Esc("(9E") + "\xbf", Esc("(10U") + "\xa2", Esc("(19U") + "\x93"},
         0},
        {"only the sets listed",
         false,
         "9E",
         "\xc5\xbc\xe6\x97\xa5",
         {Esc("(9E") + "\xbf", kWideNotPrinted},
         1},
#ifndef _WIN32 // Windows' converter does not come near
        // A non-breaking hyphen comes near enough as "-" in the own set, a box
        // drawing line as "|" (above: the euro sign's "EUR" is too long).
        {"near enough",
         false,
         "",
         "a\xe2\x80\x91"
         "b",
         {"a", "-", "b"},
         0,
         1},
#endif
        // The euro sign fills the line: the wrap follows the selection.
        {"wrap", false, "", std::string(70, 'a') + euro + "b",
         Seq() << std::string(70, 'a') << Esc("(19U") + "\x80" << kCrLf << kIndent << "b", 0},
        {"header", false, "", page1 + euro + "\r\ny",
         Seq() << Esc("(19U") << "\x80" << kCrLf << Esc("(10U") << PortraitHeader(2) << kCrLf
               << Num(59) << "y",
         0},
        {"Roman-8",
         true,
         "",
         kCharacters,
         {"\xc5", "\xde", Esc("(19U") + "\x80", Esc("(10U") + "\xb3", kWideNotPrinted},
         1},
#ifndef _WIN32 // Windows' converter does not come near
        {"Roman-8, no other set",
         true,
         "none",
         kCharacters,
         {"\xc5", "\xde", "?", "|", kWideNotPrinted},
         2,
         1},
        // e + U+0301 is é (PC-8 0x82), after ASCII or not; x + U+0301 has no
        // one character: x, its accent counted.
        {"composed",
         false,
         "",
         "cafe\xcc\x81 \xc3\xa9\xcc\x88 x\xcc\x81",
         {"caf", "\x82", " ", "\x82", " ", "x"},
         0,
         2},
        // Greek from PC-8 where it has the letters, the mu as its micro sign.
        {"Greek", false, "", "\xce\xb1\xce\xbc\xcf\x80", {"\xe0", "\xe6", "\xe3"}, 0},
        // Unicode's columns (Windows builds give every character one).
        // A zero-width space, a joiner, a variation selector, a byte-order
        // mark: no column, nothing printed.
        {"zero width",
         false,
         "",
         "a\xe2\x80\x8b"
         "b\xe2\x80\x8d"
         "c\xef\xb8\x8f\xef\xbb\xbf"
         "d",
         {"abcd"},
         0},
        // 日 takes columns 1 and 2: the tab goes on to column 8.
        {"wide", false, "", "\xe6\x97\xa5\tx", {"? ", Blanks(6), "x"}, 1},
        // With one column left, the line is filled and 日 starts the next.
        {"wide at the end", false, "", std::string(70, 'a') + "\xe6\x97\xa5",
         Seq() << std::string(70, 'a') << " " << kCrLf << kIndent << "? ", 1},
#endif
    };
    options.downloadFont = false; // what no set has comes near or is '?'
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        options.roman8 = c.noIbm;
        options.symbolSets = c.sets;
        const std::string body = Body(List(c.text + "\r\n"));
        const std::string before = c.text.compare(0, page1.size(), page1) == 0 ? page1 : "";
        std::string lines;
        for (int line = 1; line <= 57 && !before.empty(); ++line)
            lines += Num(line) + "x" + kCrLf;
        EXPECT_EQ(body, lines + Joined(Seq() << Num(before.empty() ? 1 : 58) << c.bytes << kCrLf));
        EXPECT_EQ(charactersNotPrinted, c.notPrinted);
        EXPECT_EQ(counts.nearEnough, c.nearEnough);
    }
}

// Big-endian words, as PCL fonts have them.
std::string Words(std::initializer_list<int> words) {
    std::string bytes;
    for (const int word : words)
        bytes += {static_cast<char>((word >> 8) & 0xff), static_cast<char>(word & 0xff)};
    return bytes;
}

// A character no set has prints from the downloaded font: the font's header
// before its first glyph, each glyph the first time it prints, the font
// selected by ID for it and the listing's set and face again after it. The
// glyphs are the system face's, as FreeType draws them; the rest is the
// PCL 5 layout of a bitmap font.
TEST_F(ListingComposerTest, CharactersNoSetHasPrintFromTheDownloadedFont) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no face to draw the glyphs from";
#endif
    const std::string zhe = "\xd0\x96"; // Ж
    SystemGlyphs glyphs(30);            // 10 cpi: 30 dots
    const std::optional<GlyphBitmap> glyph = glyphs.Draw(0x416);
    ASSERT_TRUE(glyph) << "DejaVu Sans Mono draws Ж";
    const SoftFontCell cell = glyphs.Cell();
    const std::string header =
        Esc("*c901D") + Esc(")s64W") + Words({64}) + std::string("\x00\x01", 2) +
        Words({0, cell.baseline}) + Words({30, cell.height}) + std::string("\x00\x00", 2) +
        Words({14 * 32 + 14, 120}) + Words({cell.height * 4, cell.height * 2}) +
        std::string(8, '\0') + "\xfd\x02" +
        Words({cell.height * 4, 120, 32, 255, 0, cell.height * 4 * 7 / 10, 0, 0}) +
        "ZelList glyphs  ";
    const std::string bitmap(glyph->rows.begin(), glyph->rows.end());
    const std::string download =
        Esc("*c33E") + Esc("(s" + std::to_string(16 + bitmap.size()) + "W") +
        std::string("\x04\x00\x0e\x01\x00\x00", 6) +
        Words({glyph->left, glyph->top, glyph->width, glyph->height, 120}) + bitmap;
    const std::string courier = Esc("(s0p10h12v0s0b4099T");
    const std::string inFont = Esc("(901X") + "!";
    struct Case {
        const char* name;
        bool roman8;
        bool download;
        std::string text;
        std::string body;
        int notPrinted;
    };
    const Case cases[] = {
        // The font stays selected to the line's end, the face comes back
        // with the next line's number.
        {"IBM, twice", false, true, "a" + zhe + "b " + zhe + "\nc",
         Num(1) + "a" + header + download + inFont + Esc("(10U") + courier + "b " + inFont + kCrLf +
             Esc("(10U") + courier + Num(2) + "c",
         0},
        // A run of downloaded characters selects the font once, the blanks
        // between them in it from its blank, downloaded once.
        {"run", false, true, zhe + zhe + " " + zhe + "b",
         Num(1) + header + download + inFont + "!" + Esc("*c32E") + Esc("(s17W") +
             std::string("\x04\x00\x0e\x01\x00\x00", 6) + Words({0, 0, 1, 1, 120}) +
             std::string(1, '\0') + " !" + Esc("(10U") + courier + "b",
         0},
        {"Roman-8", true, true, "a" + zhe + "b",
         Num(1) + "a" + header + download + inFont + Esc("(8U") + courier + "b", 0},
        // The glyph fills the line: the wrap follows the face's selection.
        {"wrap", false, true, std::string(70, 'a') + zhe + "b",
         Num(1) + std::string(70, 'a') + header + download + inFont + Esc("(10U") + courier +
             kCrLf + kIndent + "b",
         0},
        {"off", false, false, "a" + zhe + "b " + zhe, Num(1) + "a?b ?", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        options.roman8 = c.roman8;
        options.downloadFont = c.download;
        const std::string listing = List(c.text + "\r\n");
        EXPECT_EQ(Body(listing), c.body + kCrLf);
        EXPECT_EQ(charactersNotPrinted, c.notPrinted);
    }
    // The header's name too.
    options.roman8 = false;
    options.downloadFont = true;
    // x and an acute, which Unicode composes to no one character: one glyph
    // drawn of both, in one cell, nothing counted.
    const std::string marked = List("x\xcc\x81y");
    EXPECT_NE(marked.find(Esc("(901X") + "!" + Esc("(10U") + courier + "y"), std::string::npos);
    EXPECT_EQ(counts.nearEnough, 0);
    // Greek prints from the font alone, though PC-8 has α.
    const std::string greek = List("\xce\xb1\xce\xb2");
    EXPECT_NE(greek.find(Esc("(901X") + "!" + Esc("*c34E")), std::string::npos)
        << "α from the font's first code, β's glyph downloaded after it";
    // Past 190 characters a font, another, its ID counted up; CJK in fonts
    // of their own, two cells wide; past 21 fonts, '?'.
    std::string cjk;
    for (char32_t c = 0x4e00; c < 0x4e00 + 4000; ++c)
        AppendUtf8(c, cjk);
    const std::string many = List("\xd0\x96" + cjk);
    EXPECT_NE(many.find(Esc("*c902D") + Esc(")s64W") + Words({64}) + std::string("\x00\x01", 2) +
                        Words({0}) + Words({cell.baseline, 60})),
              std::string::npos)
        << "font 902 of cells of 60 dots";
    EXPECT_NE(many.find(Esc("(921X")), std::string::npos);
    EXPECT_EQ(many.find(Esc("(922X")), std::string::npos);
    EXPECT_EQ(charactersNotPrinted, 4000 - 20 * 190);
    EXPECT_NE(
        List("x", "C:/TEMP/" + zhe + ".TXT")
            .find("  File: ...EMP/" + header + download + inFont + Esc("(10U") + courier + ".TXT "),
        std::string::npos);
}

TEST_F(ListingComposerTest, BytesThatBeginNoCharacterAreWrittenAsTheyAre) {
    ExpectBodies({
        {"cut by a letter", "a\xc3(b", {Num(1), "a", "\xc3", "(", "b"}},
        {"cut by a continuation's absence", "\xe2\x82x", {Num(1), "\xe2", "\x82", "x"}},
        {"lone continuation", "\xa9\xff", {Num(1), "\xa9", "\xff"}},
        {"cut by the end", "a\xe2\x82", {Num(1), "a", "\xe2", "\x82"}},
        {"cut by a line end", "\xc3\r\n\xa9", {Num(1), "\xc3", kCrLf, Num(2), "\xa9"}},
    });
}

TEST_F(ListingComposerTest, ControlBytesWithoutARoleAreShownUnlessRaw) {
    // "^" and the character 64 above, "^?" for DEL: two ordinary characters,
    // which count two columns towards the next tab stop.
    const std::string pjl = "\x1b%-12345X@PJL SET COPIES=9\r\n";
    ExpectBodies({
        {"reset", Esc("E"), {Num(1), "^", "[", "E"}},
        {"PJL", pjl, Seq() << Num(1) << "^[%-12345X@PJL SET COPIES=9" << kCrLf},
        {"ANSI colours", "\x1b[31mred\x1b[0m", Seq() << Num(1) << "^[[31mred^[[0m"},
        {"NUL, BS, DEL and others", std::string("a\0b\bc\x7f\x01\x1f\x0b", 9),
         Seq() << Num(1) << "a^@b^Hc^?^A^_^K"},
        {"before a TAB", "\x1b\tx", Seq() << Num(1) << "^[" + Blanks(6) << "x"},
    });
    options.showControlChars = false;
    ExpectBodies({
        {"raw reset", Esc("E"), {Num(1), "\x1b", "E"}},
        {"raw PJL", pjl, Seq() << Num(1) << "\x1b%-12345X@PJL SET COPIES=9" << kCrLf},
        {"raw NUL, BS, DEL", std::string("a\0b\bc\x7f", 6),
         Seq() << Num(1) << std::string("a\0b\bc\x7f", 6)},
    });
}

// The ESC bytes of `bytes`.
std::size_t EscapesIn(const std::string& bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\x1b'));
}

// How many times the listing selects one of the symbol sets it prints from.
std::size_t SetSelectionsIn(const std::string& bytes) {
    std::size_t count = 0;
    for (const SymbolSetInfo& set : KnownSymbolSets())
        for (std::size_t at = bytes.find(Esc("(") + set.pclId); at != std::string::npos;
             at = bytes.find(Esc("(") + set.pclId, at + 1))
            ++count;
    return count;
}

// Whatever a file holds, however it is read, the listing's ESC bytes are
// those of its prologue, of its whole overlays, of its selections of symbol
// sets and of its downloaded font.
TEST_F(ListingComposerTest, ShownControlsLeaveThePrinterNoEscapeButItsOwn) {
    // Files of printer commands, ESC after a byte-order mark of UTF-16 (either
    // order), EBCDIC's ESC, and the arrow and face PC-8 has only at bytes
    // 27 and 1, in UTF-8; with random bytes between them.
    const std::vector<std::string> pieces = {Esc("E"),
                                             Esc("%-12345X@PJL\r\n"),
                                             Esc("[31m"),
                                             std::string("\xff\xfe\x1b\0", 4),
                                             std::string("\xfe\xff\0\x1b", 4),
                                             "\x27",
                                             "\xe2\x86\x90",
                                             "\xe2\x98\xba",
                                             "a\tb",
                                             "\r\n"};
    std::mt19937 random(20261206);
    std::vector<std::string> encodings = {"auto", "raw", "latin1", "IBM037"};
#ifndef _WIN32
    encodings.push_back("UTF-16");
#endif
    for (const std::string& encoding : encodings) {
        options.inputEncoding = encoding;
        for (int file = 0; file < 40; ++file) {
            options.tabSize = file % 2 ? 8 : 0;
            options.roman8 = file % 4 >= 2;
            std::string bytes;
            for (auto count = random() % 400; count > 0; --count) {
                const auto pick = random() % (pieces.size() + 4);
                const auto byte = static_cast<char>(random() % 256);
                // Byte 26 would end the file.
                bytes +=
                    pick < pieces.size() ? pieces[pick] : std::string(1, byte == 26 ? 27 : byte);
            }
            SCOPED_TRACE(encoding + ", file " + std::to_string(file));
            const std::string listing = List(bytes);
            const std::string prologue = Joined(
                {Esc("E"), Esc("&l6D") + Esc("&l60F"), Esc(options.roman8 ? "(8U" : "(10U")});
            EXPECT_EQ(listing.substr(0, prologue.size()), prologue);
            const std::string overlay = Joined(PortraitOverlay());
            std::size_t overlays = 0;
            for (std::size_t at = listing.find(overlay); at != std::string::npos;
                 at = listing.find(overlay, at + overlay.size()))
                ++overlays;
            EXPECT_EQ(EscapesIn(test::WithoutTheDownloadedFont(listing)),
                      overlays * EscapesIn(overlay) + SetSelectionsIn(listing) +
                          EscapesIn(prologue) - 1);
        }
    }
}

TEST_F(ListingComposerTest, AByteOrderMarkIsDroppedOnlyWhereTheEncodingIsGuessed) {
    const std::string mark = "\xef\xbb\xbf";
    ExpectBodies({
        {"auto, first", mark + "ab", {Num(1), "a", "b"}},
        {"auto, alone", mark, {Num(1)}},
#ifndef _WIN32 // Windows builds have no tables of widths: there a '?'
        // Later, it is invisible: no column, nothing printed.
        {"auto, later", "a" + mark + "b", {Num(1), "a", "b"}},
#endif
    });
    options.inputEncoding = "raw";
    ExpectBodies({{"raw", mark + "ab", {Num(1), "\xef", "\xbb", "\xbf", "a", "b"}}});
    // ï, » and ¿ of Latin-1 in PC-8.
    options.inputEncoding = "latin1";
    ExpectBodies({{"latin1", mark + "ab", {Num(1), "\x8b", "\xaf", "\xa8", "a", "b"}}});
}

TEST_F(ListingComposerTest, TheEncodingNamesHowBytesAreRead) {
    options.inputEncoding = "raw";
    ExpectBodies({{"raw", "\xc3\xa9\t",
                   Seq() << Num(1) << "\xc3"
                         << "\xa9" << Blanks(6)}});
    options.inputEncoding = "latin1";
    ExpectBodies({
        {"latin1", "\xe9\xdf", {Num(1), "\x82", "\xe1"}},
        {"latin1 control bytes", "a\tb\x1b\r\n\x7f",
         Seq() << Num(1) << "a" + Blanks(7) + "b^[" << kCrLf << Num(2) << "^?"},
    });
    // An encoding whose bytes are not ASCII is read by its characters: line
    // ends and control characters are found wherever their bytes fall. ESC
    // and A, A LF B in EBCDIC; in UTF-16 after a byte-order mark, ESC, and a
    // line end before U+2500, whose bytes 00 25 are NUL and "%" in ASCII.
    options.inputEncoding = "IBM037";
    ExpectBodies({{"EBCDIC", "\x27\xc1", {Num(1), "^", "[", "A"}},
                  {"EBCDIC lines", "\xc1\x25\xc2", {Num(1), "A", kCrLf, Num(2), "B"}}});
#ifndef _WIN32 // Windows names its code pages by number, and UTF-16 has none
    options.inputEncoding = "UTF-16";
    ExpectBodies({{"UTF-16", std::string("\xff\xfe\x1b\0", 4), {Num(1), "^", "["}},
                  {"UTF-16 lines",
                   std::string("\xff\xfe"
                               "a\0\r\0\n\0"
                               "\0\x25",
                               10),
                   {Num(1), "a", kCrLf, Num(2), "\xc4"}}});
#endif
    // Raw, control characters go out as they are, decoded ones too.
    options.showControlChars = false;
    options.inputEncoding = "IBM037";
    ExpectBodies({{"EBCDIC, raw", "\x27\xc1", {Num(1), "\x1b", "A"}}});
}

TEST_F(ListingComposerTest, ACharacterAcrossTheBufferBoundaryIsOneCharacter) {
    // Form feeds fill the 64 KiB buffer but its last byte; é straddles it.
    EXPECT_TRUE(EndsWith(Body(List(std::string(65535, '\f') + "\xc3\xa9")),
                         Joined({Num(65535), "\r\f", Num(65536), "\x82"})));

    // A source that gives one byte a read.
    ListingComposer trickling(options, clock, names,
                              [](const std::string&) -> std::unique_ptr<InputSource> {
                                  return std::make_unique<FailingSource>(
                                      "\xef\xbb\xbf\xc3\xa9\xe2\x94\x82\xe2\x82\r\n", 1, 0);
                              });
    sink.Clear();
    trickling.Compose(kPath, sink);
    EXPECT_EQ(Body(sink.Bytes()), Joined({Num(1), "\x82", "\xb3", "\xe2", "\x82", kCrLf}));
}

} // namespace
} // namespace composer_test
} // namespace zl
