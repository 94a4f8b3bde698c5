#include "tests/unit/engine/ListingComposerFixture.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace zl {
namespace composer_test {
namespace {

TEST_F(ListingComposerTest, WorkedExampleByteForByte) {
    const int descriptors = OpenDescriptors();
    const std::string listing = List("ab\r\ncd\r\n");

    EXPECT_EQ(listing, Joined(WorkedExample()));
    // The header: 80 columns, the date from column 22 after one blank.
    const std::vector<std::size_t> headers = Headers(listing);
    ASSERT_EQ(headers.size(), 1u);
    const std::string header = HeaderAt(listing, headers[0]);
    EXPECT_EQ(header.size(), 80u + 2u);
    EXPECT_EQ(header.substr(20, 37), " " + kDate);
    EXPECT_EQ(header.substr(74, 6), "Page 1");
    EXPECT_EQ(OpenDescriptors(), descriptors) << "the file is closed";
}

TEST_F(ListingComposerTest, EmptyFileIsOnePageWithLineOneAlone) {
    Writes expected = {Esc("E"), Esc("&l6D") + Esc("&l60F"), Esc("(10U")};
    Add(expected, PortraitOverlay());
    Add(expected, {PortraitHeader(1), kCrLf, "      1: "});
    Add(expected, PortraitOverlay());
    EXPECT_EQ(List(""), Joined(expected));
}

TEST_F(ListingComposerTest, SecondHeaderComesWithTheFirstByteAfterLineEnd58) {
    Writes expected;
    for (int line = 1; line <= 58; ++line)
        Add(expected, {Num(line), "x", kCrLf});
    Add(expected, {PortraitHeader(2), kCrLf, Num(59), "y"});
    EXPECT_EQ(Body(List(Lines(58, "x") + "y")), Joined(expected));

    // The 58th line end alone starts nothing.
    EXPECT_EQ(Headers(List(Lines(58, "x"))).size(), 1u);
    EXPECT_EQ(Headers(List(Lines(57, "x") + "y")).size(), 1u);
}

TEST_F(ListingComposerTest, WrapThatFillsThePageWritesTheOverlayAgain) {
    Writes expected;
    for (int line = 1; line <= 57; ++line)
        Add(expected, {Num(line), "x", kCrLf});
    // The number and 71 bytes fill line 58's 80 columns.
    Add(expected, {Num(58), std::string(71, 'w'), kCrLf});
    Add(expected, PortraitOverlay());
    Add(expected, {PortraitHeader(2), kCrLf, kIndent, "z", kCrLf, Num(59), "q"});
    EXPECT_EQ(Body(List(Lines(57, "x") + std::string(71, 'w') + "z\r\nq")), Joined(expected));
}

TEST_F(ListingComposerTest, WrapOntoTheLastLineStartsNoPage) {
    // The indented line is line 60; the page breaks at the next line start,
    // without a further overlay.
    Writes expected;
    for (int line = 1; line <= 56; ++line)
        Add(expected, {Num(line), "x", kCrLf});
    Add(expected, {Num(57), std::string(71, 'w'), kCrLf, kIndent, "z", kCrLf, PortraitHeader(2),
                   kCrLf, Num(58), "q"});
    EXPECT_EQ(Body(List(Lines(56, "x") + std::string(71, 'w') + "z\r\nq")), Joined(expected));
}

TEST_F(ListingComposerTest, LineOneMillionHasANumberOfTenCharacters) {
    // Form feeds count lines without ever filling a page. The ten columns of
    // the number leave 70 for the line: the 71st byte wraps.
    const std::string listing = List(std::string(999999, '\f') + std::string(71, 'x'));
    const Writes expected = Seq() << " 999999: "
                                  << "\r\f"
                                  << " 1000000: " << std::string(70, 'x') << kCrLf << kIndent << "x"
                                  << PortraitOverlay();
    EXPECT_TRUE(EndsWith(listing, Joined(expected)));
}

TEST_F(ListingComposerTest, PrologueFollowsTheOptions) {
    enum { kLandscape = 1, kLinePrinter = 2, kNoIbm = 4, kCompressed = 8, kSixLpi = 16 };
    struct Case {
        const char* name;
        int flags;
        Writes prologue;
        PrinterRequests requests = {};
    };
    const Case cases[] = {
        {"Courier 10 cpi", kSixLpi, {Esc("E"), Esc("&l6D") + Esc("&l60F"), Esc("(10U")}},
        {"landscape",
         kLandscape | kCompressed,
         {Esc("E"), Esc("&l1O"), Esc("&l8D") + Esc("&l60F"), Esc("(10U") + Esc("(s0p16.67H")}},
        {"Roman-8", kNoIbm, {Esc("E"), Esc("&l8D") + Esc("&l80F"), Esc("(8U")}},
        {"Line Printer compressed",
         kLinePrinter | kCompressed,
         {Esc("E"), Esc("&l8D") + Esc("&l80F"), Esc("(10U") + Esc("(s0p16.67h8.5v0s0b0T")}},
        {"Line Printer 10 cpi",
         kLinePrinter,
         {Esc("E"), Esc("&l8D") + Esc("&l80F"), Esc("(10U") + Esc("(s0p10h8.5v0s0b0T")}},
        {"Courier compressed",
         kCompressed,
         {Esc("E"), Esc("&l8D") + Esc("&l80F"), Esc("(10U") + Esc("(s0p16.67H")}},
        {"all at once",
         kLandscape | kLinePrinter | kNoIbm | kCompressed | kSixLpi,
         {Esc("E"), Esc("&l1O"), Esc("&l6D") + Esc("&l45F"),
          Esc("(8U") + Esc("(s0p16.67h8.5v0s0b0T")}},
        // What the listing asks of the printer goes before the orientation:
        // the paper's size resets the page format.
        {"A4 from tray 4, long edge, 2 copies",
         kLandscape,
         {Esc("E"), Esc("&l26A"), Esc("&l4H"), Esc("&l1S"), Esc("&l2X"), Esc("&l1O"),
          Esc("&l8D") + Esc("&l60F"), Esc("(10U")},
         {2, Sides::LongEdge, PaperRequest::A4, 4}},
        {"Letter from source 69, one-sided, 999 copies",
         kSixLpi,
         {Esc("E"), Esc("&l2A"), Esc("&l69H"), Esc("&l0S"), Esc("&l999X"),
          Esc("&l6D") + Esc("&l60F"), Esc("(10U")},
         {999, Sides::OneSided, PaperRequest::Letter, 69}},
        {"Legal, short edge",
         kSixLpi,
         {Esc("E"), Esc("&l3A"), Esc("&l2S"), Esc("&l6D") + Esc("&l60F"), Esc("(10U")},
         {0, Sides::ShortEdge, PaperRequest::Legal, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        options.linePrinter = c.flags & kLinePrinter;
        options.roman8 = c.flags & kNoIbm;
        options.requests = c.requests;
        SetPage(c.flags & kCompressed, c.flags & kLandscape, c.flags & kSixLpi);
        const std::string prologue = Joined(c.prologue);
        EXPECT_EQ(List("").substr(0, prologue.size() + 5), prologue + Esc("&f1Y"))
            << "the overlay follows";
    }
}

TEST_F(ListingComposerTest, OnlyTheSelectedPagesAreWrittenEachAsInTheWholeListing) {
    const std::string begin =
        Joined(Seq() << Esc("E") << Esc("&l6D") + Esc("&l60F") << Esc("(10U") << PortraitOverlay());
    const std::string end = Joined(PortraitOverlay());
    const std::string page1 = PortraitHeader(1) + kCrLf;
    struct Case {
        const char* pages;
        std::string input;
        Writes written; // between the prologue's overlay and the last one
        int pageCount;
    };
    const Case cases[] = {
        // Form feeds end pages 1 and 2; the form feed goes with its page.
        {"2", "a\fb\fc", {Num(2), "b\r\f"}, 1},
        {"1,3-", "a\fb\fc", {page1, Num(1), "a\r\f", Num(3), "c"}, 2},
        {"3-9", "a\fb\fc", {Num(3), "c"}, 1},
        {"4-", "a\fb\fc", {}, 0},
        // Only the characters of the pages written count as not printed.
        {"2", "\xe6\x97\xa5\fb", {Num(2), "b"}, 1},
        // A header begins page 2.
        {"2", Lines(58, "x") + "y", {PortraitHeader(2), kCrLf, Num(59), "y"}, 1},
        // A wrap fills page 1: the overlay written between them stays.
        {"2", Lines(57, "x") + std::string(71, 'w') + "z\r\nq",
         Seq() << PortraitOverlay() << PortraitHeader(2) << kCrLf << kIndent << "z" << kCrLf
               << Num(59) << "q",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pages);
        options.pages = *PageSelection::Parse(c.pages);
        EXPECT_EQ(List(c.input), begin + Joined(c.written) + end);
        EXPECT_EQ(pagesComposed, c.pageCount);
        EXPECT_EQ(charactersNotPrinted, 0);
    }
}

TEST(PageSelectionTest, ReadsNumbersAndRangesAndRefusesAnythingElse) {
    const struct {
        const char* text;
        const char* pagesOneToTen; // "" for a text that is refused
    } cases[] = {
        {"3-5,9", "0011100010"},
        {"7-", "0000001111"},
        {"2,2-3", "0110000000"},
        // Out of order, overlapping, touching: merged, looked up in order.
        {"9,7-,1-2,3,2-4", "1111001111"},
        {"8-9,6-7,1", "1000011110"},
        {"10", "0000000001"},
        {"0", ""},
        {"5-3", ""},
        {"1,,2", ""},
        {"-3", ""},
        {"+3", ""},
        {" 3", ""},
        {"3,", ""},
        {"", ""},
        {"1-2-3", ""},
        {"99999999999", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<PageSelection> selection = PageSelection::Parse(c.text);
        ASSERT_EQ(selection.has_value(), *c.pagesOneToTen != 0);
        if (!selection)
            continue;
        std::string pages;
        for (int page = 1; page <= 10; ++page)
            pages += selection->Contains(page) ? '1' : '0';
        EXPECT_EQ(pages, c.pagesOneToTen);
    }
}

TEST_F(ListingComposerTest, BarHeightIsBroughtIntoOneToSix) {
    const Writes oneLine = Overlay(Positions(30, 240), 120, 2400);
    const Writes sixLines = Overlay(Positions(5, 1440), 720, 2400);
    struct Case {
        int barHeight;
        const Writes& overlay;
    };
    for (const Case& c : {Case{0, oneLine}, Case{-3, oneLine}, Case{9, sixLines}}) {
        SCOPED_TRACE("bar height " + std::to_string(c.barHeight));
        options.barHeight = c.barHeight;
        EXPECT_EQ(List("ab"),
                  Joined(Seq() << Writes{Esc("E"), Esc("&l6D") + Esc("&l60F"), Esc("(10U")}
                               << c.overlay << PortraitHeader(1) << kCrLf << Num(1) << "ab"
                               << c.overlay));
    }
}

TEST_F(ListingComposerTest, EachListingNumbersFromOne) {
    const std::string first = List(Lines(58, "x") + "y\r\nz");
    EXPECT_EQ(Headers(first).size(), 2u);
    EXPECT_TRUE(EndsWith(Body(first), Num(60) + "z"));

    // The next listing starts again from page 1 and line 1.
    EXPECT_EQ(List("ab\r\ncd\r\n"), Joined(WorkedExample()));
}

TEST_F(ListingComposerTest, WithoutBarsNoOverlayIsWritten) {
    options.printBars = false;
    EXPECT_EQ(List("ab\r\ncd\r\n"),
              Joined({Esc("E"), Esc("&l6D") + Esc("&l60F"), Esc("(10U"), PortraitHeader(1), kCrLf,
                      Num(1), "a", "b", kCrLf, Num(2), "c", "d", kCrLf}));

    // Nor where a wrap fills the page: the header follows the wrap's line end.
    Writes expected = {Esc("E"), Esc("&l6D") + Esc("&l60F"), Esc("(10U"), PortraitHeader(1), kCrLf};
    for (int line = 1; line <= 57; ++line)
        Add(expected, {Num(line), "x", kCrLf});
    Add(expected, {Num(58), std::string(71, 'w'), kCrLf, PortraitHeader(2), kCrLf, kIndent, "z"});
    EXPECT_EQ(List(Lines(57, "x") + std::string(71, 'w') + "z"), Joined(expected));
}

TEST_F(ListingComposerTest, DerivedValuesFollowTheSettingsOfEachListing) {
    List("ab");
    // Landscape at 8 lpi: 15 bands of 180 decipoints every 360, 3150 dots wide.
    SetPage(false, true, false);
    const std::string listing = List("ab");
    const std::string overlay = Joined(Overlay(Positions(15, 360), 180, 3150));
    const std::string prologue =
        Joined({Esc("E"), Esc("&l1O"), Esc("&l8D") + Esc("&l60F"), Esc("(10U")});
    EXPECT_EQ(listing.substr(0, prologue.size() + overlay.size()), prologue + overlay);
    EXPECT_TRUE(EndsWith(listing, Num(1) + "ab" + overlay));
}

} // namespace
} // namespace composer_test
} // namespace zl
