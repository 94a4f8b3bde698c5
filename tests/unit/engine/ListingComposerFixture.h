// The listing composer's test fixture and the helpers that spell out the
// writes a listing should make. The composer writes into a memory sink,
// which keeps each write apart.
#pragma once

#include "engine/ListingComposer.h"
#include "engine/MemorySink.h"
#include "engine/PageGeometry.h"
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

// Each byte as a write of its own, as the file's bytes go to the printer.
inline Writes Singles(const std::string& bytes) {
    Writes writes;
    for (char byte : bytes)
        writes.emplace_back(1, byte);
    return writes;
}

inline void Add(Writes& to, const Writes& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// Writes put together from pieces: strings as one write each, Writes whole.
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

inline std::vector<std::size_t> IndexesOf(const Writes& writes, const std::string& prefix) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        if (writes[i].compare(0, prefix.size(), prefix) == 0)
            found.push_back(i);
    }
    return found;
}

inline std::vector<std::size_t> Headers(const Writes& writes) {
    return IndexesOf(writes, "  File: ");
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

    // The file a path names, relative to the test's folder: on Windows
    // C:/TEMP/A.TXT would be absolute, so its drive is left out.
    static std::string InFolder(const std::string& path) {
        return fs::path(path).relative_path().string();
    }

    static void Put(const std::string& path, const std::string& bytes) {
        const fs::path file = InFolder(path);
        if (file.has_parent_path())
            fs::create_directories(file.parent_path());
        test::WriteFile(file, bytes);
    }

    // Lists `bytes` as the file `path`; the listing's writes.
    Writes List(const std::string& bytes, const std::string& path = kPath) {
        Put(path, bytes);
        sink.Clear();
        Composer().Compose(path, sink);
        return SinkWrites();
    }

    // A composer with the options as they are now, reading the test's folder.
    ListingComposer Composer() const {
        return ListingComposer(options, clock, names, [](const std::string& name) {
            return FileInputSource::Open(InFolder(name));
        });
    }

    // The writes in the sink, or only the last `keepLast` of them when that
    // is set (listings of millions of writes need not be compared whole);
    // `dropped` counts the others.
    Writes SinkWrites() {
        const std::size_t count = sink.WriteCount();
        dropped = keepLast > 0 && count > keepLast ? count - keepLast : 0;
        Writes writes;
        writes.reserve(count - dropped);
        for (std::size_t i = dropped; i < count; ++i)
            writes.push_back(sink.WriteAt(i));
        return writes;
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

    // Each file of the table listed, with the body it must give.
    struct BodyCase {
        const char* name;
        std::string bytes;
        Writes body;
    };
    void ExpectBodies(const std::vector<BodyCase>& cases) {
        for (const BodyCase& c : cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(Body(List(c.bytes)), c.body);
        }
    }

    test::TempDir dir;
    ListingOptions options;
    FixedClock clock{kJobTime};
    LocaleNames names = LocaleNames::English();
    MemorySink sink;
    std::size_t keepLast = 0; // 0: all
    std::size_t dropped = 0;

private:
    fs::path home_;
};

} // namespace composer_test
} // namespace zl
