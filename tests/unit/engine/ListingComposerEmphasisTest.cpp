// Syntax emphasis in the listing's bytes: Courier's bold and italic around
// keywords, types and comments, Line Printer's overstrike and underline,
// and headers, line numbers and indents plain whatever the text around.
#include "tests/unit/engine/ListingComposerFixture.h"

#include "engine/SyntaxEmphasis.h"

#include <gtest/gtest.h>

#include <string>

namespace zl {
namespace composer_test {
namespace {

const std::string kBold = Esc("(s3B"), kMedium = Esc("(s0B");
const std::string kItalic = Esc("(s1S"), kUpright = Esc("(s0S");
const std::string kUnderline = Esc("&d0D"), kNoUnderline = Esc("&d@");

// Windows builds have no highlighter: there emphasis prints nothing.
#define SKIP_WITHOUT_LANGUAGES()                                                                   \
    if (KnownLanguages().empty())                                                                  \
    GTEST_SKIP() << "this build knows no language"

// A run printed, then again from the same place two dots to the right.
Writes Overstruck(const std::string& run) {
    return {Esc("&f0S"), run, Esc("&f1S") + Esc("*p+2X"), run, Esc("*p-2X")};
}

TEST_F(ListingComposerTest, CourierPrintsKeywordsAndTypesBoldAndCommentsItalic) {
    SKIP_WITHOUT_LANGUAGES();
    options.emphasis = "c";
    ExpectBodies({
        {"a keyword and a type",
         "int x;\nunsigned long n;\n",
         {Num(1), kBold, "int", kMedium, " x;", kCrLf, Num(2), kBold, "unsigned long", kMedium,
          " n;", kCrLf}},
        // The line end and the number between are upright.
        {"a comment over two lines",
         "/* a\n b */ x\n",
         {Num(1), kItalic, "/* a", kUpright, kCrLf, Num(2), kItalic, " b */", kUpright, " x",
          kCrLf}},
        {"comment characters in a string",
         "char *s = \"/* no */\";\n",
         {Num(1), kBold, "char", kMedium, " *s = \"/* no */\";", kCrLf}},
        {"from bold to italic", "int// c", {Num(1), kBold, "int", kMedium, kItalic, "// c"}},
        // A symbol set selected in a comment keeps it italic.
        {"a character of another set",
         "// \xe2\x82\xac\n",
         {Num(1), kItalic, "// ", Esc("(19U"), "\x80", kUpright, kCrLf}},
        // The indent of the wrapped part is upright; the comment goes on.
        {"a wrapped comment",
         "// " + std::string(77, 'c'),
         {Num(1), kItalic, "// " + std::string(68, 'c'), kUpright, kCrLf, kIndent, kItalic,
          std::string(9, 'c')}},
    });
    // A comment across a page break: the header between is upright.
    Writes expected;
    for (int line = 1; line <= 57; ++line)
        Add(expected, {Num(line), kCrLf});
    Add(expected, {Num(58), kItalic, "/* a", kUpright, kCrLf, PortraitHeader(2), kCrLf, Num(59),
                   kItalic, "b */"});
    const std::string acrossPages = Lines(57, "") + "/* a\nb */";
    EXPECT_EQ(Body(List(acrossPages)), Joined(expected));
    // Only page 2 written: it starts upright, as the printer is after ESC E.
    options.pages = *PageSelection::Parse("2");
    const std::string listing = List(acrossPages);
    EXPECT_TRUE(EndsWith(listing, Joined(Seq() << PortraitHeader(2) << kCrLf << Num(59) << kItalic
                                               << "b */" << PortraitOverlay())));
    EXPECT_EQ(listing.find(kUpright), std::string::npos);

    // A downloaded glyph prints in its font, selected by number with no
    // style asked (that would select another font); the face comes back
    // medium upright, and the comment italic after it.
    options.pages = PageSelection();
    const std::string withGlyph = Body(List("// \xd1\x8f x\n"));
    const std::size_t font = withGlyph.find(Esc("(901X"));
    ASSERT_NE(font, std::string::npos);
    const std::string commentStart = Num(1) + kItalic + "// ";
    EXPECT_EQ(withGlyph.compare(0, commentStart.size(), commentStart), 0);
    EXPECT_EQ(withGlyph.compare(font - kUpright.size(), kUpright.size(), kUpright), 0);
    EXPECT_TRUE(EndsWith(withGlyph, Esc("(10U") + Esc("(s0p10h12v0s0b4099T") + kItalic + " x" +
                                        kUpright + kCrLf));
    EXPECT_EQ(withGlyph.find(Esc("(s"), font), withGlyph.rfind(Esc("(s0p10h")));
}

TEST_F(ListingComposerTest, LinePrinterOverstrikesKeywordsAndUnderlinesComments) {
    SKIP_WITHOUT_LANGUAGES();
    options.emphasis = "c";
    options.linePrinter = true;
    ExpectBodies({
        {"a keyword", "int x;\n", Seq() << Num(1) << Overstruck("int") << " x;" << kCrLf},
        {"a comment over two lines",
         "/* a\nb */\n",
         {Num(1), kUnderline, "/* a", kNoUnderline, kCrLf, Num(2), kUnderline, "b */", kNoUnderline,
          kCrLf}},
        // Each part of a wrapped keyword is struck again in its own line.
        {"a wrapped type", std::string(69, ' ') + "long x;",
         Seq() << Num(1) << Blanks(69) << Overstruck("lo") << kCrLf << kIndent << Overstruck("ng")
               << " x;"},
    });
}

TEST_F(ListingComposerTest, AFileInNoLanguageListsAsWithoutEmphasis) {
    const std::string text = "int x; /* c */\n" + Lines(70, "\tword // w");
    const std::string plain = List(text);
    options.emphasis = "auto"; // A.TXT: no language
    EXPECT_EQ(List(text), plain);
}

} // namespace
} // namespace composer_test
} // namespace zl
