// The header line of every page: where its parts go, how a long path is
// cut, and that it speaks the printer's symbol set.
#include "tests/unit/engine/ListingComposerFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zl {
namespace composer_test {
namespace {

// The first header of a listing of an empty file.
std::string FirstHeader(const std::string& listing) {
    const std::vector<std::size_t> headers = Headers(listing);
    if (headers.size() != 1u) {
        ADD_FAILURE() << headers.size() << " headers";
        return {};
    }
    return HeaderAt(listing, headers[0]);
}

TEST_F(ListingComposerTest, HeaderColumnsFollowLineWidthAndOrientation) {
    struct Case {
        bool compressed;
        bool landscape;
        std::string header;
        PaperRequest paper = PaperRequest::PrinterDefault;
    };
    const Case cases[] = {
        // A4 portrait, 129 columns: date from 46, label ending in column 129;
        // asked for, or the paper the page is laid out for.
        {true, false, kFileText + Blanks(24) + kDate + Blanks(42) + "Page 1", PaperRequest::A4},
        // 77 columns: the file text gets 18, the date from 20.
        {false, false, "  File: ...P/A.TXT " + kDate + Blanks(16) + "Page 1", PaperRequest::A4},
        // Landscape A4 holds Letter's widths.
        {false, true, kFileText + Blanks(12) + kDate + Blanks(29) + "Page 1" + Blanks(1),
         PaperRequest::A4},
        // 105 columns: date from 34, label ending in column 104.
        {false, true, kFileText + Blanks(12) + kDate + Blanks(29) + "Page 1" + Blanks(1)},
        // 133 columns: date from 48, label ending in column 133.
        {true, false, kFileText + Blanks(26) + kDate + Blanks(44) + "Page 1"},
        // 176 columns: date from 70, label ending in column 175.
        {true, true, kFileText + Blanks(48) + kDate + Blanks(64) + "Page 1" + Blanks(1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.landscape ? "landscape" : "portrait") +
                     (c.compressed ? ", compressed" : ""));
        SetPage(c.compressed, c.landscape, false);
        for (const bool asked : {false, true}) {
            options.pagePaper = asked ? PaperRequest::PrinterDefault : c.paper;
            options.requests.paper = asked ? c.paper : PaperRequest::PrinterDefault;
            const std::string listing = List("");
            const std::vector<std::size_t> headers = Headers(listing);
            ASSERT_EQ(headers.size(), 1u);
            EXPECT_TRUE(EndsWith(listing.substr(0, headers[0]), Esc("&f4X")))
                << "the header follows the overlay";
            EXPECT_EQ(HeaderAt(listing, headers[0]), c.header + kCrLf);
        }
    }
}

// A title stands in the path's place as it is, not shortened like a path,
// and is cut before the date as a long path is.
TEST_F(ListingComposerTest, APathOrTitleTooLongForTheRoomBeforeTheDateKeepsItsEnd) {
    struct Case {
        bool landscape;
        std::string path;
        std::string title;
        std::string fileText; // then the date after a blank
    };
    const Case cases[] = {
        // 80 columns: the date from 22, 20 columns for the file text.
        {false, "A.TXT", "", "  File: " + Blanks(12)},
        {false, "C:/TEMP/AB.C", "", "  File: C:/TEMP/AB.C"},
        {false, "C:/Program Files/Listings/Source/MAIN.PAS", "", "  File: .../MAIN.PAS"},
        // 105 columns: the date from 34, 32 columns for the file text.
        {true, "C:/TEMP/ABCDEFGHIJKL.TXT", "", "  File: C:/TEMP/ABCDEFGHIJKL.TXT"},
        {true, "C:/TEMP/ABCDEFGHIJKLM.TXT", "", "  File: ...EMP/ABCDEFGHIJKLM.TXT"},
        {true, "C:/Program Files/Listings/Source/MAIN.PAS", "", "  File: ...tings/Source/MAIN.PAS"},
#ifndef _WIN32 // no Windows file name holds control bytes
        // Control bytes of the name and bytes that begin no character show as "?".
        {true, "C:/TEMP/\r\n\x1f\x7f\xe9", "", "  File: C:/TEMP/?????" + Blanks(11)},
#endif
        {true, "C:/TEMP/AB.C", "(standard input)", "  File: (standard input)" + Blanks(8)},
        {false, "C:/TEMP/AB.C", "(standard input)", "  File: ...rd input)"},
        {true, "A.TXT", "make\tlog\x1b[1m of the build/all", "  File: ...?[1m of the build/all"},
        {true, "A.TXT", "make\tlog\x1b", "  File: make?log?" + Blanks(15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " " + c.title);
        SetPage(false, c.landscape, true);
        options.title = c.title;
        const std::string rest = c.landscape ? Blanks(29) + "Page 1 " : Blanks(17) + "Page 1";
        EXPECT_EQ(FirstHeader(List("", c.path)), c.fileText + " " + kDate + rest + kCrLf);
    }
}

// German day and month names, as the system gives them: in UTF-8.
LocaleNames German() {
    LocaleNames german;
    german.longDayNames = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                           "Donnerstag", "Freitag", "Samstag"};
    german.longMonthNames = {"Januar", "Februar", "M\xc3\xa4rz", "April",   "Mai",      "Juni",
                             "Juli",   "August",  "September",   "Oktober", "November", "Dezember"};
    return german;
}

TEST_F(ListingComposerTest, HeaderDateComesFromTheClockAndTheNames) {
    names = German();
    clock = FixedClock(LocalTime{2026, 12, 7, 1 /*Monday*/, 13, 5, 0});
    // 35 characters: from column 40 - 17 = 23, so the whole path fits.
    EXPECT_EQ(FirstHeader(List("")), kFileText + " " + "Montag, Dezember 7, 2026 at 1:05 PM" +
                                         Blanks(17) + "Page 1" + kCrLf);
}

TEST_F(ListingComposerTest, HeaderNameAndDateSpeakTheSymbolSet) {
    names = German();
    clock = FixedClock(LocalTime{2026, 3, 5, 4 /*Thursday*/, 18, 40, 0});
    // 25 characters in 30 bytes: short enough to stay whole.
    const std::string path = "C:/TEMP/Gr\xc3\xbc\xc3\x9f"
                             "e-\xe2\x82\xac-\xc3\x84rger.TXT";
    struct Case {
        const char* name;
        bool noIbm;
        bool compressed;
        std::string header;
    };
    const Case cases[] = {
        // 133 columns: the date of 35 characters from 66 - 17 = 49.
        {"PC-8", false, true,
         "  File: C:/TEMP/Gr\x81\xe1"
         "e-" +
             Esc("(19U") + "\x80" + Esc("(10U") + "-\x8erger.TXT" + Blanks(15) +
             "Donnerstag, M\x84rz 5, 2026 at 6:40 PM" + Blanks(44) + "Page 1"},
        {"Roman-8", true, true,
         "  File: C:/TEMP/Gr\xcf\xde"
         "e-" +
             Esc("(19U") + "\x80" + Esc("(8U") + "-\xd8rger.TXT" + Blanks(15) +
             "Donnerstag, M\xccrz 5, 2026 at 6:40 PM" + Blanks(44) + "Page 1"},
        // A Czech date of 34 characters, also from 49: č and ř from
        // Windows Latin 2.
        {"Czech date", false, true,
         "  File: C:/TEMP/Gr\x81\xe1"
         "e-" +
             Esc("(19U") + "\x80" + Esc("(10U") + "-\x8erger.TXT" + Blanks(15) + Esc("(9E") +
             "\xe8tvrtek, b\xf8" + "ezen 5, 2026 at 6:40 PM" + Blanks(45) + "Page 1"},
        // 80 columns: from 23; the path keeps its last 10 characters.
        {"PC-8, 80 columns", false, false,
         "  File: ...-\x8erger.TXT " + std::string("Donnerstag, M\x84rz 5, 2026 at 6:40 PM") +
             Blanks(17) + "Page 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        options.roman8 = c.noIbm;
        SetPage(c.compressed, false, false);
        names = German();
        if (std::string(c.name) == "Czech date") {
            names.longDayNames[4] = "\xc4\x8dtvrtek";
            names.longMonthNames[2] = "b\xc5\x99"
                                      "ezen";
        }
        EXPECT_EQ(FirstHeader(List("", path)), c.header + kCrLf);
    }
    // A shortened path shows its head's Ź (Windows Latin 2), not the ł of
    // the part left out.
    options.roman8 = false;
    SetPage(true, false, false);
    const std::string deep = "\xc5\xb9" + std::string(24, 'x') + "\xc5\x82x/abcdef.txt";
    EXPECT_EQ(FirstHeader(List("", deep)),
              "  File: " + Esc("(9E") + "\x8f" + Esc("(10U") + std::string(13, 'x') +
                  ".../abcdef.txt" + Blanks(12) + "Donnerstag, M\x84rz 5, 2026 at 6:40 PM" +
                  Blanks(44) + "Page 1" + kCrLf);
}

TEST_F(ListingComposerTest, EveryHeaderIsTheLineWidthWhateverThePageNumber) {
    const std::string listing = List(Lines(58 * 99, "x") + "y");
    const std::vector<std::size_t> headers = Headers(listing);
    ASSERT_EQ(headers.size(), 100u);
    // Page 10 and page 100 start one column further left each.
    EXPECT_EQ(HeaderAt(listing, headers[9]),
              kCutFileText + " " + kDate + Blanks(16) + "Page 10" + kCrLf);
    EXPECT_EQ(HeaderAt(listing, headers[99]),
              kCutFileText + " " + kDate + Blanks(15) + "Page 100" + kCrLf);
    for (std::size_t page = 1; page <= headers.size(); ++page) {
        const std::string header = PortraitHeader(static_cast<int>(page));
        EXPECT_EQ(HeaderAt(listing, headers[page - 1]), header);
        // Every header but the first follows the line end of a page's last line.
        if (page > 1) {
            const std::string next = kCrLf + Num(58 * static_cast<int>(page - 1) + 1);
            EXPECT_EQ(listing.substr(headers[page - 1] + header.size(), next.size()), next);
        }
    }
    EXPECT_EQ(listing.substr(headers[99]), Joined(Seq() << PortraitHeader(100) << kCrLf << Num(5743)
                                                        << "y" << PortraitOverlay()));
}

TEST_F(ListingComposerTest, LandscapeHeadersShowWhatThePreviousLabelLeftInTheLastColumn) {
    // The label ends in column 104; column 105 keeps what stood where the
    // new label went in: the "P" of the label before, when as long.
    SetPage(false, true, false);
    const std::string listing = List(Lines(58 * 10, "x") + "y");
    const std::vector<std::size_t> headers = Headers(listing);
    ASSERT_EQ(headers.size(), 11u);
    const std::string start = kFileText + Blanks(12) + kDate;
    EXPECT_EQ(HeaderAt(listing, headers[0]), start + Blanks(29) + "Page 1 " + kCrLf);
    EXPECT_EQ(HeaderAt(listing, headers[1]), start + Blanks(29) + "Page 2P" + kCrLf);
    EXPECT_EQ(HeaderAt(listing, headers[9]), start + Blanks(28) + "Page 10 " + kCrLf);
    EXPECT_EQ(HeaderAt(listing, headers[10]), start + Blanks(28) + "Page 11P" + kCrLf);
}

} // namespace
} // namespace composer_test
} // namespace zl
