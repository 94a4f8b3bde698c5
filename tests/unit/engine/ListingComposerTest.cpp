#include "engine/ListingComposer.h"

#include "engine/PageGeometry.h"
#include "tests/support/MessageOf.h"
#include "tests/support/RecordingSpooler.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace zl {
namespace {

namespace fs = std::filesystem;
using test::MessageOf;
using test::RecordedJob;
using test::RecordingSpooler;
using Writes = std::vector<std::string>;

const LocalTime kJobTime{2026, 12, 6, 0 /*Sunday*/, 11, 31, 0};
const std::string kDate = "Sunday, December 6, 2026 at 11:31 AM"; // 36 characters
const std::string kPath = "C:/TEMP/A.TXT";                        // inside the test's folder
const std::string kFileText = "  File: C:/TEMP/A.TXT";            // columns 1 to 21
const std::string kCrLf = "\r\n";
const std::string kIndent = "    ";

std::string Esc(const std::string& rest) {
    return "\x1b" + rest;
}
std::string Blanks(std::size_t count) {
    return std::string(count, ' ');
}

// The line number as written: right-aligned in seven columns, then ": ".
std::string Num(int number) {
    const std::string digits = std::to_string(number);
    return Blanks(digits.size() < 7 ? 7 - digits.size() : 1) + digits + ": ";
}

// Each byte as a write of its own, as the file's bytes go to the printer.
Writes Singles(const std::string& bytes) {
    Writes writes;
    for (char byte : bytes)
        writes.emplace_back(1, byte);
    return writes;
}

void Add(Writes& to, const Writes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

std::vector<int> Positions(int count, int step) {
    std::vector<int> positions;
    for (int i = 0; i < count; ++i)
        positions.push_back(i * step);
    return positions;
}

// The overlay macro with bands at `positions`, `height` decipoints high.
Writes Overlay(const std::vector<int>& positions, int height, int dots) {
    Writes writes = {Esc("&f1Y"), Esc("&f0X"), Esc("&f0S")};
    for (int position : positions)
        Add(writes,
            {Esc("&a" + std::to_string(position) + "V"), Esc("*c" + std::to_string(dots) + "A"),
             Esc("*c" + std::to_string(height) + "V"), Esc("*c10G"), Esc("*c2P")});
    Add(writes, {Esc("&f1S"), Esc("&f1X"), Esc("&f4X")});
    return writes;
}

// Portrait, 6 lpi, bars of two lines: 240 decipoints every 480, below 7200.
const Writes& PortraitOverlay() {
    static const Writes overlay = Overlay(
        {0, 480, 960, 1440, 1920, 2400, 2880, 3360, 3840, 4320, 4800, 5280, 5760, 6240, 6720}, 240,
        2400);
    return overlay;
}

// The header of page 1 to 9 of an 80-column portrait listing of C:/TEMP/A.TXT:
// the date from column 22, the newest label ending in column 80 and the older
// ones after it, then the blanks pushed out by the insertions.
std::string PortraitHeader(int page) {
    std::string labels;
    for (int p = page; p >= 1; --p)
        labels += "Page " + std::to_string(p);
    return kFileText + kDate + Blanks(17) + labels + Blanks(63) + kCrLf;
}

// The worked listing: portrait, 10 cpi, 6 lpi, Courier, IBM, bars of two
// lines; the file holds a, b, CR, LF, c, d, CR, LF.
Writes WorkedExample() {
    Writes writes = {Esc("E"), Esc("&l6D"), Esc("(10U")};
    Add(writes, PortraitOverlay());
    Add(writes, {kFileText + kDate + Blanks(17) + "Page 1" + Blanks(63) + "\r\n", "\r\n",
                 "      1: ", "a", "b", "\r\n", "      2: ", "c", "d", "\r\n"});
    Add(writes, PortraitOverlay());
    return writes;
}

std::vector<std::size_t> IndexesOf(const Writes& writes, const std::string& prefix) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        if (writes[i].compare(0, prefix.size(), prefix) == 0)
            found.push_back(i);
    }
    return found;
}

std::vector<std::size_t> Headers(const Writes& writes) {
    return IndexesOf(writes, "  File: ");
}

int OpenDescriptors() {
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}

std::string Lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line + "\r\n";
    return text;
}

class TestOptions : public ListingOptions {
public:
    bool landscape = false;
    bool linePrinter = false;
    bool noIbm = false;
    bool compressed = false;
    int barHeight = 2;

    bool Landscape() const override { return landscape; }
    bool LinePrinter() const override { return linePrinter; }
    bool NoIbm() const override { return noIbm; }
    bool Compressed() const override { return compressed; }
    int BarHeight() const override { return barHeight; }
};

// Keeps only the latest writes of a job when told to: listings of millions
// of writes need not be held whole.
class ListingSpooler : public RecordingSpooler {
public:
    std::size_t keepLast = 0; // 0: all
    std::size_t dropped = 0;

    bool WritePrinter(PrinterHandle handle, const void* data, std::int32_t count,
                      std::int32_t& written) override {
        const bool ok = RecordingSpooler::WritePrinter(handle, data, count, written);
        if (keepLast > 0 && !jobs.empty() && jobs.back().writes.size() >= 2 * keepLast) {
            Writes& writes = jobs.back().writes;
            dropped += writes.size() - keepLast;
            writes.erase(writes.begin(), writes.end() - static_cast<std::ptrdiff_t>(keepLast));
            calls.clear();
        }
        return ok;
    }
};

class ListingComposerTest : public ::testing::Test {
protected:
    ListingComposerTest() : home_(fs::current_path()) {
        spooler.printers = {{"Laser", ""}, {"Other", ""}};
        // Paths such as C:/TEMP/A.TXT are relative: they name files in the test's folder.
        fs::current_path(dir.Path());
        SetPage(false, false, true);
    }
    ~ListingComposerTest() override { fs::current_path(home_); }

    void SetPage(bool compressed, bool landscape, bool sixLpi) {
        options.compressed = compressed;
        options.landscape = landscape;
        ApplyPageSettings(PageFlags{compressed, landscape, sixLpi}, geometry);
    }

    static void Put(const std::string& path, const std::string& bytes) {
        const fs::path folder = fs::path(path).parent_path();
        if (!folder.empty())
            fs::create_directories(folder);
        test::WriteFile(path, bytes);
    }

    // Lists `bytes` as the file `path` on the first printer; the job's writes.
    Writes List(const std::string& bytes, const std::string& path = kPath) {
        Put(path, bytes);
        composer.ZelListProcess(path, 0);
        return spooler.jobs.empty() ? Writes{} : spooler.jobs.back().writes;
    }

    // What the bytes of the file became in a portrait 6 lpi listing: the
    // writes from the first line number on, before the closing overlay.
    static Writes Body(const Writes& writes) {
        const std::size_t start = 3 + 81 + 2; // prologue, overlay, header, blank line
        if (writes.size() < start + 81) {
            ADD_FAILURE() << "only " << writes.size() << " writes";
            return {};
        }
        EXPECT_EQ(writes[start - 2], PortraitHeader(1));
        EXPECT_EQ(Writes(writes.end() - 81, writes.end()), PortraitOverlay())
            << "the listing ends with the overlay";
        return Writes(writes.begin() + start, writes.end() - 81);
    }

    void ExpectCancelled(const RecordedJob& recorded) {
        EXPECT_TRUE(recorded.aborted);
        EXPECT_FALSE(recorded.ended);
        EXPECT_FALSE(job.IsOpen());
        EXPECT_EQ(spooler.openHandles, 0);
    }

    test::TempDir dir;
    TestOptions options;
    PageGeometry geometry;
    FixedClock clock{kJobTime};
    LocaleNames names = LocaleNames::English();
    ListingSpooler spooler;
    TPrinter printers{spooler};
    RawPrintJob job{spooler};
    ListingComposer composer{job, printers, options, geometry, clock, names};

private:
    fs::path home_;
};

TEST_F(ListingComposerTest, WorkedExampleWriteForWrite) {
    const int descriptors = OpenDescriptors();
    const Writes writes = List("ab\r\ncd\r\n");

    ASSERT_EQ(writes.size(), 175u);
    EXPECT_EQ(writes, WorkedExample());
    EXPECT_EQ(writes[84].size(), 143u + 2u);
    EXPECT_EQ(writes[84].substr(21, 36), kDate);
    EXPECT_EQ(writes[84].substr(74, 6), "Page 1");

    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_EQ(spooler.jobs[0].printer, "Laser");
    EXPECT_EQ(spooler.jobs[0].doc.docName, "ZelPrint Job");
    EXPECT_EQ(spooler.jobs[0].doc.dataType, "RAW");
    EXPECT_TRUE(spooler.jobs[0].ended);
    EXPECT_FALSE(spooler.jobs[0].aborted);
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(spooler.openHandles, 0);
    EXPECT_EQ(OpenDescriptors(), descriptors) << "the file is closed";
    EXPECT_EQ(
        Writes(spooler.calls.end() - 4, spooler.calls.end()),
        (Writes{"EndPagePrinter()", "EndPagePrinter()", "EndDocPrinter()", "ClosePrinter()"}));
    EXPECT_EQ(geometry.LineHeight, 120);
    EXPECT_EQ(geometry.LinesPerPage, 60);
    EXPECT_EQ(geometry.BarWidthDots, 2400);
}

TEST_F(ListingComposerTest, EmptyFileIsOnePageWithLineOneAlone) {
    Writes expected = {Esc("E"), Esc("&l6D"), Esc("(10U")};
    Add(expected, PortraitOverlay());
    Add(expected, {PortraitHeader(1), kCrLf, "      1: "});
    Add(expected, PortraitOverlay());
    EXPECT_EQ(List(""), expected);
}

TEST_F(ListingComposerTest, LineEndsAsTheFileHasThem) {
    // Last line without a line end: its last byte is the last text written.
    EXPECT_EQ(Body(List("ab\r\ncd")), (Writes{Num(1), "a", "b", kCrLf, Num(2), "c", "d"}));
    // Ending in CR LF: the number of the line after it is not written.
    EXPECT_EQ(Body(List("ab\r\n")), (Writes{Num(1), "a", "b", kCrLf}));
    // CR alone swallows the byte after it: b is lost.
    EXPECT_EQ(Body(List("a\rb\r")), (Writes{Num(1), "a", kCrLf, Num(2), kCrLf}));
    EXPECT_EQ(Body(List("\r\r\rx")), (Writes{Num(1), kCrLf, Num(2), kCrLf}));
    // A lone LF is an ordinary byte, and so are TAB, ESC and bytes above 127.
    EXPECT_EQ(Body(List("a\nb\r\nc")), (Writes{Num(1), "a", "\n", "b", kCrLf, Num(2), "c"}));
    EXPECT_EQ(Body(List("\t\x1b\xe9\xff\r\n")),
              (Writes{Num(1), "\t", "\x1b", "\xe9", "\xff", kCrLf}));
}

TEST_F(ListingComposerTest, ByteTwentySixEndsTheInput) {
    const std::string eof(1, '\x1a');
    EXPECT_EQ(Body(List("ab" + eof + "cd\r\nef")), (Writes{Num(1), "a", "b"}));
    EXPECT_EQ(Body(List(eof + "ab\r\n")), (Writes{Num(1)}));
    // Nothing read after the line end: the next number stays unwritten.
    EXPECT_EQ(Body(List("ab\r\n" + eof + "\r\nx")), (Writes{Num(1), "a", "b", kCrLf}));
    // The byte after a CR is dropped, but a byte 26 there still ends the input.
    EXPECT_EQ(Body(List("ab\r" + eof + "cd\r\n")), (Writes{Num(1), "a", "b", kCrLf}));
}

TEST_F(ListingComposerTest, FullLinesWrapWithFourBlanks) {
    const std::string full(80, 'x');
    // Exactly 80 bytes: the wrap's line end and indent, then the line's own end.
    Writes expected = {Num(1)};
    Add(expected, Singles(full));
    Add(expected, {kCrLf, kIndent, kCrLf, Num(2), "z"});
    EXPECT_EQ(Body(List(full + "\r\nz")), expected);

    // A continuation line holds 75 bytes after its indent.
    const std::string more(75, 'y');
    expected = {Num(1)};
    Add(expected, Singles(full));
    Add(expected, {kCrLf, kIndent});
    Add(expected, Singles(more));
    Add(expected, {kCrLf, kIndent, "z"});
    EXPECT_EQ(Body(List(full + more + "z")), expected);

    // A lone LF counts one column like any other byte.
    expected = {Num(1)};
    Add(expected, Singles(std::string(79, 'x') + "\n"));
    Add(expected, {kCrLf, kIndent, "y"});
    EXPECT_EQ(Body(List(std::string(79, 'x') + "\ny")), expected);
}

TEST_F(ListingComposerTest, FormFeedStartsAPrinterPageWithoutHeader) {
    EXPECT_EQ(Body(List("a\r\n\fb\r\nc")),
              (Writes{Num(1), "a", kCrLf, Num(2), "\f", Num(3), "b", kCrLf, Num(4), "c"}));

    // The page the form feed begins holds 60 lines; the next byte gets page 2.
    Writes writes = List("\f" + Lines(60, "x") + "y");
    std::vector<std::size_t> headers = Headers(writes);
    ASSERT_EQ(headers.size(), 2u);
    EXPECT_EQ(writes[headers[1]], PortraitHeader(2));
    EXPECT_EQ(writes[headers[1] - 1], kCrLf);
    EXPECT_EQ(Writes(writes.begin() + headers[1] + 1, writes.begin() + headers[1] + 4),
              (Writes{kCrLf, Num(62), "y"}));

    writes = List("\f" + Lines(59, "x") + "y");
    EXPECT_EQ(Headers(writes).size(), 1u);
}

TEST_F(ListingComposerTest, SecondHeaderComesWithTheFirstByteAfterLineEnd58) {
    Writes expected;
    for (int line = 1; line <= 58; ++line)
        Add(expected, {Num(line), "x", kCrLf});
    Add(expected, {PortraitHeader(2), kCrLf, Num(59), "y"});
    EXPECT_EQ(Body(List(Lines(58, "x") + "y")), expected);

    // The 58th line end alone starts nothing.
    EXPECT_EQ(Headers(List(Lines(58, "x"))).size(), 1u);
    EXPECT_EQ(Headers(List(Lines(57, "x") + "y")).size(), 1u);
}

TEST_F(ListingComposerTest, WrapThatFillsThePageWritesTheOverlayAgain) {
    Writes expected;
    for (int line = 1; line <= 57; ++line)
        Add(expected, {Num(line), "x", kCrLf});
    Add(expected, {Num(58)});
    Add(expected, Singles(std::string(80, 'w')));
    Add(expected, {kCrLf});
    Add(expected, PortraitOverlay());
    Add(expected, {PortraitHeader(2), kCrLf, kIndent, "z", kCrLf, Num(59), "q"});
    EXPECT_EQ(Body(List(Lines(57, "x") + std::string(80, 'w') + "z\r\nq")), expected);
}

TEST_F(ListingComposerTest, WrapOntoTheLastLineStartsNoPage) {
    // The indented line is line 60; the page breaks at the next line start,
    // without a further overlay.
    Writes expected;
    for (int line = 1; line <= 56; ++line)
        Add(expected, {Num(line), "x", kCrLf});
    Add(expected, {Num(57)});
    Add(expected, Singles(std::string(80, 'w')));
    Add(expected, {kCrLf, kIndent, "z", kCrLf, PortraitHeader(2), kCrLf, Num(58), "q"});
    EXPECT_EQ(Body(List(Lines(56, "x") + std::string(80, 'w') + "z\r\nq")), expected);
}

TEST_F(ListingComposerTest, PageTenLabelGoesOneColumnLeftAndPushesPageNineAside) {
    const Writes writes = List(Lines(58 * 9, "x") + "y");
    const std::vector<std::size_t> headers = Headers(writes);
    ASSERT_EQ(headers.size(), 10u);
    EXPECT_EQ(writes[headers[8]], PortraitHeader(9));
    const std::string pageTen = kFileText + kDate + Blanks(16) + "Page 10" + " " +
                                "Page 9Page 8Page 7Page 6Page 5Page 4Page 3Page 2Page 1" +
                                Blanks(63) + kCrLf;
    EXPECT_EQ(writes[headers[9]], pageTen);
    EXPECT_EQ(writes[headers[9]].substr(0, 80), PortraitHeader(9).substr(0, 73) + "Page 10");
    EXPECT_EQ(Writes(writes.begin() + headers[9] + 1, writes.end() - 81),
              (Writes{kCrLf, Num(523), "y"}));
    // Every header but the first follows the line end of the last line of a page.
    for (std::size_t page = 1; page < headers.size(); ++page)
        EXPECT_EQ(writes[headers[page] + 2], Num(58 * static_cast<int>(page) + 1));
}

TEST_F(ListingComposerTest, LineOneMillionHasANumberOfTenCharacters) {
    spooler.keepLast = 100;
    // Form feeds count lines without ever filling a page.
    const Writes writes = List(std::string(999999, '\f') + "x");
    // Prologue, overlay, header, blank line, number 1, the first form feed,
    // a number and a form feed for every further one, number and x, overlay.
    EXPECT_EQ(spooler.dropped + writes.size(), 3u + 81u + 3u + 1u + 2u * 999998u + 2u + 81u);
    ASSERT_GE(writes.size(), 85u);
    EXPECT_EQ(Writes(writes.end() - 85, writes.end() - 81),
              (Writes{" 999999: ", "\f", " 1000000: ", "x"}));
    EXPECT_EQ(Writes(writes.end() - 81, writes.end()), PortraitOverlay());
}

TEST_F(ListingComposerTest, HeaderColumnsFollowLineWidthAndOrientation) {
    struct Case {
        bool compressed;
        bool landscape;
        std::string header;
    };
    const Case cases[] = {
        // 105 columns: date from 34, label ending in column 104.
        {false, true, kFileText + Blanks(12) + kDate + Blanks(29) + "Page 1" + Blanks(64)},
        // 133 columns: date from 48, label ending in column 133.
        {true, false, kFileText + Blanks(26) + kDate + Blanks(44) + "Page 1" + Blanks(63)},
        // 176 columns: date from 70, label ending in column 175.
        {true, true, kFileText + Blanks(48) + kDate + Blanks(64) + "Page 1" + Blanks(64)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.landscape ? "landscape" : "portrait") +
                     (c.compressed ? ", compressed" : ""));
        SetPage(c.compressed, c.landscape, false);
        const Writes writes = List("");
        const std::vector<std::size_t> headers = Headers(writes);
        ASSERT_EQ(headers.size(), 1u);
        EXPECT_EQ(writes[headers[0] - 1], Esc("&f4X")) << "the header follows the overlay";
        EXPECT_EQ(writes[headers[0]], c.header + kCrLf);
    }
}

TEST_F(ListingComposerTest, HeaderPartsGoToTheirColumnsWhateverThePath) {
    // No separator: "  File: " alone.
    Writes writes = List("", "A.TXT");
    ASSERT_GT(writes.size(), 84u);
    EXPECT_EQ(writes[84],
              "  File: " + Blanks(13) + kDate + Blanks(17) + "Page 1" + Blanks(50) + kCrLf);

    // A shortened path longer than 21 columns: the date goes inside it.
    writes = List("", "C:/Program Files/Listings/Source/MAIN.PAS");
    ASSERT_GT(writes.size(), 84u);
    EXPECT_EQ(writes[84], "  File: C:/Program Fi" + kDate + "les.../MAIN.PAS" + Blanks(2) +
                              "Page 1" + Blanks(78) + kCrLf);

    // Control bytes of the name show as "?"; bytes above 127 stay.
    writes = List("", "C:/TEMP/\r\n\x1f\x7f\xe9");
    ASSERT_GT(writes.size(), 84u);
    EXPECT_EQ(writes[84],
              "  File: C:/TEMP/????\xe9" + kDate + Blanks(17) + "Page 1" + Blanks(63) + kCrLf);
}

TEST_F(ListingComposerTest, HeaderDateComesFromTheClockAndTheNames) {
    LocaleNames german = LocaleNames::English();
    german.longDayNames[1] = "Montag";
    german.longMonthNames[11] = "Dezember";
    const FixedClock afternoon(LocalTime{2026, 12, 7, 1 /*Monday*/, 13, 5, 0});
    ListingComposer later(job, printers, options, geometry, afternoon, german);
    Put(kPath, "");
    later.ZelListProcess(kPath, 0);
    ASSERT_EQ(spooler.jobs.size(), 1u);
    ASSERT_GT(spooler.jobs[0].writes.size(), 84u);
    // 35 characters: from column 40 - 17 = 23.
    EXPECT_EQ(spooler.jobs[0].writes[84], kFileText + " " + "Montag, Dezember 7, 2026 at 1:05 PM" +
                                              Blanks(17) + "Page 1" + Blanks(62) + kCrLf);
}

TEST_F(ListingComposerTest, PrologueFollowsTheOptions) {
    enum { kLandscape = 1, kLinePrinter = 2, kNoIbm = 4, kCompressed = 8, kSixLpi = 16 };
    struct Case {
        const char* name;
        int flags;
        Writes prologue;
    };
    const Case cases[] = {
        {"Courier 10 cpi", kSixLpi, {Esc("E"), Esc("&l6D"), Esc("(10U")}},
        {"landscape",
         kLandscape | kCompressed,
         {Esc("E"), Esc("&l1O"), Esc("&l8D"), Esc("(10U") + Esc("(s0p16.67H")}},
        {"Roman-8", kNoIbm, {Esc("E"), Esc("&l8D"), Esc("(8U")}},
        {"Line Printer compressed",
         kLinePrinter | kCompressed,
         {Esc("E"), Esc("&l8D"), Esc("(10U") + Esc("(s0p16.67h8.5v0s0b0T")}},
        {"Line Printer 10 cpi",
         kLinePrinter,
         {Esc("E"), Esc("&l8D"), Esc("(10U") + Esc("(s0p10h8.5v0s0b0T")}},
        {"Courier compressed",
         kCompressed,
         {Esc("E"), Esc("&l8D"), Esc("(10U") + Esc("(s0p16.67H")}},
        {"all at once",
         kLandscape | kLinePrinter | kNoIbm | kCompressed | kSixLpi,
         {Esc("E"), Esc("&l1O"), Esc("&l6D"), Esc("(8U") + Esc("(s0p16.67h8.5v0s0b0T")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        options.linePrinter = c.flags & kLinePrinter;
        options.noIbm = c.flags & kNoIbm;
        SetPage(c.flags & kCompressed, c.flags & kLandscape, c.flags & kSixLpi);
        const Writes writes = List("");
        ASSERT_GT(writes.size(), c.prologue.size());
        EXPECT_EQ(Writes(writes.begin(), writes.begin() + c.prologue.size()), c.prologue);
        EXPECT_EQ(writes[c.prologue.size()], Esc("&f1Y")) << "the overlay follows";
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
        const Writes writes = List("ab");
        ASSERT_EQ(writes.size(), 3 + 2 * c.overlay.size() + 5);
        EXPECT_EQ(Writes(writes.begin() + 3, writes.begin() + 3 + c.overlay.size()), c.overlay);
        EXPECT_EQ(Writes(writes.end() - c.overlay.size(), writes.end()), c.overlay);
    }
}

TEST_F(ListingComposerTest, EachListingNumbersFromOne) {
    const Writes first = List(Lines(58, "x") + "y\r\nz");
    EXPECT_EQ(Headers(first).size(), 2u);
    const Writes body = Body(first);
    ASSERT_GE(body.size(), 2u);
    EXPECT_EQ(Writes(body.end() - 2, body.end()), (Writes{Num(60), "z"}));

    // The next listing starts again from page 1 and line 1.
    EXPECT_EQ(List("ab\r\ncd\r\n"), WorkedExample());
    ASSERT_EQ(spooler.jobs.size(), 2u);
    EXPECT_TRUE(spooler.jobs[0].ended);
    EXPECT_TRUE(spooler.jobs[1].ended);
}

TEST_F(ListingComposerTest, DerivedValuesFollowTheSettingsOfEachListing) {
    List("ab");
    // Landscape at 8 lpi: 15 bands of 180 decipoints every 360, 3150 dots wide.
    SetPage(false, true, false);
    const Writes writes = List("ab");
    const Writes overlay = Overlay(Positions(15, 360), 180, 3150);
    ASSERT_EQ(writes.size(), 4 + 2 * overlay.size() + 5);
    EXPECT_EQ(Writes(writes.begin() + 4, writes.begin() + 4 + overlay.size()), overlay);
    EXPECT_EQ(geometry.LineHeight, 90);
    EXPECT_EQ(geometry.LinesPerPage, 60);
    EXPECT_EQ(geometry.BarWidthDots, 3150);
}

TEST_F(ListingComposerTest, PrinterIsTheEntryAtTheIndex) {
    Put(kPath, "ab\r\ncd\r\n");
    composer.ZelListProcess(kPath, 1);
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_EQ(spooler.jobs[0].printer, "Other");
    EXPECT_EQ(spooler.jobs[0].doc.docName, "ZelPrint Job");
    EXPECT_EQ(spooler.jobs[0].writes, WorkedExample());
}

TEST_F(ListingComposerTest, IndexOutsideThePrinterListOpensNoJob) {
    Put(kPath, "ab\r\ncd\r\n");
    EXPECT_EQ(MessageOf([&] { composer.ZelListProcess(kPath, 2); }),
              "List index out of bounds (2)");
    EXPECT_EQ(MessageOf([&] { composer.ZelListProcess(kPath, -1); }),
              "List index out of bounds (-1)");
    EXPECT_EQ(spooler.Count("OpenPrinter"), 0);
    EXPECT_TRUE(spooler.jobs.empty());
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(List("ab\r\ncd\r\n"), WorkedExample());
}

TEST_F(ListingComposerTest, PrinterThatCannotBeOpenedLeavesNothingOpen) {
    spooler.Fail("OpenPrinter", 0);
    Put(kPath, "ab");
    EXPECT_EQ(MessageOf([&] { composer.ZelListProcess(kPath, 0); }),
              "OpenPrinter()=False @ StartJob with PrinterName:'Laser'");
    EXPECT_TRUE(spooler.jobs.empty());
    EXPECT_EQ(spooler.openHandles, 0);
    spooler.Fail("OpenPrinter", INT_MAX);
    EXPECT_EQ(List("ab\r\ncd\r\n"), WorkedExample());
}

TEST_F(ListingComposerTest, FileThatCannotBeOpenedOpensNoJob) {
    Put("C:/TEMP/OTHER.TXT", "");
    const std::string tooLong = "C:/TEMP/" + std::string(300, 'L') + ".TXT";
    struct Case {
        std::string path;
        const char* message;
    };
    const Case cases[] = {{"C:/TEMP/NONE.TXT", "File not found"},
                          {"C:/NOWHERE/A.TXT", "File not found"},
                          {"C:/TEMP", "File access denied"},
                          {tooLong, "Invalid filename"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.substr(0, 20));
        EXPECT_EQ(MessageOf([&] { composer.ZelListProcess(c.path, 0); }), c.message);
    }
    EXPECT_THROW(composer.ZelListProcess("C:/TEMP/NONE.TXT", 0), EInOutError);
    EXPECT_EQ(spooler.Count("OpenPrinter"), 0);
    EXPECT_TRUE(spooler.jobs.empty());
    EXPECT_FALSE(job.IsOpen());
    EXPECT_EQ(List("ab\r\ncd\r\n"), WorkedExample());
    EXPECT_TRUE(spooler.jobs.back().ended);
}

// An input whose reads give `bytes` a block of `blockSize` at a time and
// whose read number `failingRead` (from 1) fails, as a failing disk does.
class FailingSource : public InputSource {
public:
    FailingSource(std::string bytes, std::size_t blockSize, int failingRead)
        : bytes_(std::move(bytes)), blockSize_(blockSize), failingRead_(failingRead) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        if (++reads_ == failingRead_)
            throw EInOutError("I/O error 5");
        const std::size_t count = std::min({size, blockSize_, bytes_.size() - at_});
        bytes_.copy(buffer, count, at_);
        at_ += count;
        return count;
    }
    void Close() override {}

private:
    std::string bytes_;
    std::size_t blockSize_;
    int failingRead_;
    int reads_ = 0;
    std::size_t at_ = 0;
};

TEST_F(ListingComposerTest, ReadFailureMidFileCancelsTheJob) {
    // The first read gives "ab" CR; the second, for the LF after it, fails.
    ListingComposer reading(job, printers, options, geometry, clock, names,
                            [](const std::string&) -> std::unique_ptr<InputSource> {
                                return std::make_unique<FailingSource>("ab\r\ncd\r\n", 3, 2);
                            });
    EXPECT_EQ(MessageOf([&] { reading.ZelListProcess(kPath, 0); }), "I/O error 5");
    ASSERT_EQ(spooler.jobs.size(), 1u);
    const Writes worked = WorkedExample();
    EXPECT_EQ(spooler.jobs[0].writes, Writes(worked.begin(), worked.begin() + 89));
    ExpectCancelled(spooler.jobs[0]);
}

TEST_F(ListingComposerTest, WriteRefusedMidListingCancelsTheJobAndClosesTheFile) {
    const int descriptors = OpenDescriptors();
    spooler.Fail("WritePrinter", 90); // the number of line 2
    Put(kPath, "ab\r\ncd\r\n");
    EXPECT_EQ(MessageOf([&] { composer.ZelListProcess(kPath, 0); }),
              "WritePrinter() API failed @ WriteData");
    ASSERT_EQ(spooler.jobs.size(), 1u);
    const Writes worked = WorkedExample();
    EXPECT_EQ(spooler.jobs[0].writes, Writes(worked.begin(), worked.begin() + 90));
    ExpectCancelled(spooler.jobs[0]);
    EXPECT_EQ(OpenDescriptors(), descriptors) << "the file is closed";

    spooler.Fail("WritePrinter", INT_MAX);
    EXPECT_EQ(List("ab\r\ncd\r\n"), worked);
    EXPECT_TRUE(spooler.jobs.back().ended);
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST_F(ListingComposerTest, WriteRefusedAtTheFirstByteCancelsTheJob) {
    spooler.Fail("WritePrinter", 0);
    Put(kPath, "ab");
    EXPECT_EQ(MessageOf([&] { composer.ZelListProcess(kPath, 0); }),
              "WritePrinter() API failed @ WriteData");
    ASSERT_EQ(spooler.jobs.size(), 1u);
    EXPECT_TRUE(spooler.jobs[0].writes.empty());
    ExpectCancelled(spooler.jobs[0]);
}

} // namespace
} // namespace zl
