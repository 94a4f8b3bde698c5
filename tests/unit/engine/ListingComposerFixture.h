// The listing composer's test fixture and the helpers that spell out the
// bytes a listing should be. Expected listings are put together from their
// pieces (Writes) and compared joined, with the bytes the composer wrote
// into a memory sink.
#pragma once

#include "engine/ListingComposer.h"
#include "engine/MemorySink.h"
#include "engine/PageGeometry.h"
#include "platform/SystemText.h"
#include "tests/support/TempDir.h"
#include "tests/unit/engine/FailingSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#endif

namespace zl {
namespace composer_test {

namespace fs = std::filesystem;
using test::FailingSource;
using Writes = std::vector<std::string>;

inline const LocalTime kJobTime{2026, 12, 6, 0 /*Sunday*/, 11, 31, 0};
inline const std::string kDate = "Sunday, December 6, 2026 at 11:31 AM"; // 36 characters
inline const std::string kPath = "C:/TEMP/A.TXT";                        // inside the test's folder
// The file text where it fits before the date (from 105 columns on).
inline const std::string kFileText = "  File: C:/TEMP/A.TXT";
// At 80 columns the date starts in column 22: the file text gets 20
// columns, so the path keeps its last 22 - 13 = 9 characters.
inline const std::string kCutFileText = "  File: ...EMP/A.TXT";
inline const std::string kCrLf = "\r\n";
inline const std::string kIndent = "    ";

inline std::string Esc(const std::string& rest) {
    return "\x1b" + rest;
}
inline std::string Blanks(std::size_t count) {
    return std::string(count, ' ');
}

// The line number as written: right-aligned in seven columns, then ": ".
inline std::string Num(int number) {
    const std::string digits = std::to_string(number);
    return Blanks(digits.size() < 7 ? 7 - digits.size() : 1) + digits + ": ";
}

// The pieces one after another: the bytes they make.
inline std::string Joined(const Writes& writes) {
    std::string bytes;
    for (const std::string& write : writes)
        bytes += write;
    return bytes;
}

inline bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

inline void Add(Writes& to, const Writes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// Pieces put together: strings one piece each, Writes whole.
struct Seq {
    Writes writes;
    Seq& operator<<(const std::string& one) {
        writes.push_back(one);
        return *this;
    }
    Seq& operator<<(const Writes& more) {
        Add(writes, more);
        return *this;
    }
    operator Writes() const { return writes; }
};

inline std::vector<int> Positions(int count, int step) {
    std::vector<int> positions;
    for (int i = 0; i < count; ++i)
        positions.push_back(i * step);
    return positions;
}

// The overlay macro with bands at `positions`, `height` decipoints high.
inline Writes Overlay(const std::vector<int>& positions, int height, int dots) {
    Writes writes = {Esc("&f1Y"), Esc("&f0X"), Esc("&f0S")};
    for (int position : positions)
        Add(writes,
            {Esc("&a" + std::to_string(position) + "V"), Esc("*c" + std::to_string(dots) + "A"),
             Esc("*c" + std::to_string(height) + "V"), Esc("*c10G"), Esc("*c2P")});
    Add(writes, {Esc("&f1S"), Esc("&f1X"), Esc("&f4X")});
    return writes;
}

// Portrait, 6 lpi, bars of two lines: 240 decipoints every 480, below 7200.
inline const Writes& PortraitOverlay() {
    static const Writes overlay = Overlay(Positions(15, 480), 240, 2400);
    return overlay;
}

// The header of any page of an 80-column portrait listing of C:/TEMP/A.TXT:
// the date from column 22, the page label ending in column 80; 80 columns.
inline std::string PortraitHeader(int page) {
    const std::string label = "Page " + std::to_string(page);
    return kCutFileText + " " + kDate + Blanks(23 - label.size()) + label + kCrLf;
}

// The worked listing: portrait, 10 cpi, 6 lpi, Courier, IBM, bars of two
// lines; the file holds a, b, CR, LF, c, d, CR, LF.
inline Writes WorkedExample() {
    return Seq() << Writes{Esc("E"), Esc("&l6D") + Esc("&l60F"), Esc("(10U")} << PortraitOverlay()
                 << PortraitHeader(1) << kCrLf << Num(1) << "a"
                 << "b" << kCrLf << Num(2) << "c"
                 << "d" << kCrLf << PortraitOverlay();
}

// Where each page header starts in `listing`.
inline std::vector<std::size_t> Headers(const std::string& listing) {
    std::vector<std::size_t> found;
    for (std::size_t at = listing.find("  File: "); at != std::string::npos;
         at = listing.find("  File: ", at + 1))
        found.push_back(at);
    return found;
}

// The header line that starts at `at`, with its line end.
inline std::string HeaderAt(const std::string& listing, std::size_t at) {
    return listing.substr(at, listing.find(kCrLf, at) + kCrLf.size() - at);
}

// How many files the process has open.
inline int OpenDescriptors() {
    int count = 0;
#ifdef _WIN32
    // The C runtime's descriptors in use (it has no more than 2048).
    for (int fd = 0; fd < 2048; ++fd)
        count += _get_osfhandle(fd) != -1;
#else
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
#endif
    return count;
}

inline std::string Lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line + "\r\n";
    return text;
}

class ListingComposerTest : public ::testing::Test {
protected:
    ListingComposerTest() : home_(fs::current_path()) {
        // Paths such as C:/TEMP/A.TXT name files in the test's folder (InFolder).
        fs::current_path(dir.Path());
        SetPage(false, false, true);
    }
    ~ListingComposerTest() override { fs::current_path(home_); }

    void SetPage(bool compressed, bool landscape, bool sixLpi) {
        options.compressed = compressed;
        options.landscape = landscape;
        options.sixLpi = sixLpi;
    }

    // The file a path (UTF-8) names, relative to the test's folder: on
    // Windows C:/TEMP/A.TXT would be absolute, so its drive is left out.
    static std::string InFolder(const std::string& path) {
        return Utf8OfPath(PathOfUtf8(path).relative_path());
    }

    static void Put(const std::string& path, const std::string& bytes) {
        const fs::path file = PathOfUtf8(InFolder(path));
        if (file.has_parent_path())
            fs::create_directories(file.parent_path());
        test::WriteFile(file, bytes);
    }

    // Lists `bytes` as the file `path`; the listing's bytes. Its page count
    // is kept in `pagesComposed`.
    std::string List(const std::string& bytes, const std::string& path = kPath) {
        Put(path, bytes);
        sink.Clear();
        ListingComposer composer = Composer();
        composer.Compose(path, sink);
        pagesComposed = composer.PagesComposed();
        charactersNotPrinted = composer.Counts().notPrinted;
        counts = composer.Counts();
        return sink.Bytes();
    }

    // A composer with the options as they are now, reading the test's folder.
    // Its chunks are small and of an odd size, so that the listings tested
    // cross a chunk's end as a print job's do.
    ListingComposer Composer() const {
        return ListingComposer(
            options, clock, names,
            [](const std::string& name) { return FileInputSource::Open(InFolder(name)); },
            kChunkSize);
    }
    static constexpr std::size_t kChunkSize = 1021;

    // What the bytes of the file became in a portrait 6 lpi listing: the
    // bytes from the first line number on, before the closing overlay.
    static std::string Body(const std::string& listing) {
        const std::string firstPage =
            Joined(Seq() << PortraitOverlay() << PortraitHeader(1) << kCrLf);
        const std::string end = Joined(PortraitOverlay());
        const std::size_t prologueEnd = listing.find(firstPage);
        if (prologueEnd == std::string::npos || listing.compare(0, 2, Esc("E")) != 0 ||
            listing.size() < prologueEnd + firstPage.size() + end.size() ||
            !EndsWith(listing, end)) {
            ADD_FAILURE() << "not a portrait 6 lpi listing ending in the overlay: " << listing;
            return {};
        }
        const std::size_t start = prologueEnd + firstPage.size();
        return listing.substr(start, listing.size() - start - end.size());
    }

    // Each file of the table listed, with the body it must give.
    struct BodyCase {
        const char* name;
        std::string bytes;
        Writes body;
    };
    void ExpectBodies(const std::vector<BodyCase>& cases) {
        for (const BodyCase& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(Body(List(c.bytes)), Joined(c.body));
        }
    }

    test::TempDir dir;
    ListingOptions options;
    FixedClock clock{kJobTime};
    LocaleNames names = LocaleNames::English();
    MemorySink sink;
    std::int32_t pagesComposed = 0;
    std::int64_t charactersNotPrinted = 0;
    ListingCounts counts;

private:
    fs::path home_;
};

} // namespace composer_test
} // namespace zl
