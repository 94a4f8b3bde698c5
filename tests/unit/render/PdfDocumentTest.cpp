// The PDF of listing pages read back by poppler's pdftotext: every run's
// characters come out as they went in, each word from the cell its first
// character stands in, also where the text needs escapes in the PDF, a
// fallback glyph, another face, a second font of the same face or a
// downloaded bitmap glyph.
#include "render/PdfDocument.h"

#include "engine/MemorySink.h"
#include "render/GuiApplication.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace zl::render {
namespace {

struct Word {
    double x = 0; // points from the page's left edge
    std::string text;
};

// The words pdftotext finds on the first page of `pdf`.
std::vector<Word> WordsOf(const std::filesystem::path& pdf) {
    std::string html;
    if (FILE* pipe = popen(("pdftotext -bbox '" + pdf.string() + "' - 2>&1").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            html.append(buffer, n);
        pclose(pipe);
    }
    // <word xMin="X" yMin=... yMax="...">TEXT</word>
    std::vector<Word> words;
    const std::string open = "<word xMin=\"", close = "</word>";
    for (std::size_t at = html.find(open); at != std::string::npos; at = html.find(open, at)) {
        at += open.size();
        const std::size_t text = html.find('>', at) + 1;
        const std::size_t end = html.find(close, text);
        if (text == 0 || end == std::string::npos)
            break;
        words.push_back({std::stod(html.substr(at)), html.substr(text, end - text)});
        at = end;
    }
    return words;
}

std::string Utf8(const std::u32string& text) {
    std::string bytes;
    for (char32_t c : text) {
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (c < 0x800) {
            bytes += static_cast<char>(0xC0 | (c >> 6));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes += static_cast<char>(0xE0 | (c >> 12));
            bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

TEST(PdfDocumentTest, TextComesBackFromTheCellsItWasPutIn) {
    RequireGuiApplication();
    // More characters beyond ASCII than one font has codes for (161): a
    // second font of the same face.
    std::u32string many;
    for (char32_t c = 0xC0; c <= 0x17E; ++c) {
        if (c != 0x132 && c != 0x133 && c != 0x149) // ligatures, read back apart
            many += c;
    }
    const FontChoice courier10{10, 12, 4099}, courier16{16.67, 120 / 16.67, 4099},
        linePrinter{16.67, 8.5, kLinePrinterTypeface};
    Page page;
    page.paper = PaperSize::Letter();
    page.runs = {
        {111, 200, U"a(b)c \\d\\ x~y", courier10},
        {111, 300, U"gr\u00f6\u00dfer \u2554\u2550\u2557 \u03b1\u0393", linePrinter},
        {129, 400, many.substr(0, 94), courier16},
        {129, 450, many.substr(94), courier16},
        {111, 500, U"\u0416\u0416 \u0416", {}},
    };
    auto zhe = std::make_shared<BitmapGlyph>();
    *zhe = {4, 10, 8, 10, 30, {0x92, 0x92, 0x54, 0x54, 0x38, 0x38, 0x54, 0x54, 0x92, 0x92}};
    page.runs.back().glyphs = {zhe, zhe, nullptr, zhe};
    page.runs.back().glyphAdvance = 30;
    MemorySink sink;
    const ListingFaces faces;
    PdfDocument document(sink, faces, PaperSize::Letter());
    document.Add(page);
    EXPECT_EQ(document.Finish("T"), 1);
    const test::TempDir dir;
    test::WriteFile(dir / "page.pdf", sink.Bytes());

    struct Expected {
        double x;   // dots: the run's start
        int column; // of the word's first character
        double cell;
        std::string text;
    };
    const std::vector<Expected> expected = {
        {111, 0, 30, "a(b)c"},
        {111, 6, 30, "\\d\\"},
        {111, 10, 30, "x~y"},
        {111, 0, 18, Utf8(U"gr\u00f6\u00dfer")},
        {111, 7, 18, Utf8(U"\u2554\u2550\u2557")},
        {111, 11, 18, Utf8(U"\u03b1\u0393")},
        {129, 0, 18, Utf8(many.substr(0, 94))},
        {129, 0, 18, Utf8(many.substr(94))},
        {111, 0, 30, Utf8(U"\u0416\u0416")},
        {111, 3, 30, Utf8(U"\u0416")},
    };
    const std::vector<Word> words = WordsOf(dir / "page.pdf");
    ASSERT_EQ(words.size(), expected.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(words[i].text, expected[i].text);
        EXPECT_NEAR(words[i].x, (expected[i].x + expected[i].column * expected[i].cell) * 0.24,
                    0.3);
    }
}

} // namespace
} // namespace zl::render
