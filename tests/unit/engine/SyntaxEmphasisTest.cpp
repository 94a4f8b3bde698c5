// The highlighters behind syntax emphasis, the language a file is taken to
// be in, and the emphasis the input source tells for each byte.
#include "engine/SyntaxEmphasis.h"
#include "engine/EmphasisSource.h"
#include "engine/LanguageDetection.h"
#include "tests/unit/engine/FailingSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zl {
namespace {

// Windows builds have no highlighter: there every file is in no language.
#define SKIP_WITHOUT_LANGUAGES()                                                                   \
    if (KnownLanguages().empty())                                                                  \
    GTEST_SKIP() << "this build knows no language"

constexpr Emphasis P = Emphasis::Plain, S = Emphasis::Strong, C = Emphasis::Comment;

// The emphasis of every byte of `text`, as `language`'s highlighter settles
// the whole of it.
std::vector<Emphasis> EmphasisOfBytes(const std::string& language, const std::string& text) {
    std::unique_ptr<SyntaxHighlighter> highlighter = MakeHighlighter(language);
    std::vector<Emphasis> bytes(text.size(), P);
    if (!highlighter) {
        ADD_FAILURE() << "no highlighter for " << language;
        return bytes;
    }
    std::vector<EmphasisSpan> spans;
    EXPECT_EQ(highlighter->Settle(text, true, spans), text.size());
    for (const EmphasisSpan& span : spans)
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(span.begin),
                  bytes.begin() + static_cast<std::ptrdiff_t>(span.end), span.emphasis);
    return bytes;
}

// A piece of a source and the emphasis of each of its bytes (its first
// occurrence in the source).
struct Piece {
    const char* text;
    Emphasis emphasis;
};
struct Source {
    const char* language;
    std::string text;
    std::vector<Piece> pieces;
};

TEST(SyntaxEmphasisTest, KeywordsAndTypesAreStrongAndCommentsAreComment) {
    SKIP_WITHOUT_LANGUAGES();
    const Source sources[] = {
        {"c",
         "int main(void) {\n"
         "    return 0; /* a comment\n"
         "   over two lines */ unsigned n;\n"
         "    const char *s = \"not /* a comment\"; // the end */ int\n"
         "#include <stdio.h>\n"
         "plain_identifier\n",
         {{"int", S},
          {" main(", P},
          {"void", S},
          {"return", S},
          {" 0; ", P},
          {"/* a comment\n   over two lines */", C},
          {"unsigned", S},
          {" n;", P},
          {"const", S},
          {"char", S},
          {" *s = \"not /* a comment\"; ", P},
          {"// the end */ int", C},
          {"#include", S},
          {" <stdio.h>", P},
          {"plain_identifier", P}}},
        // A raw string holding comment and quote characters stays a string.
        {"cpp",
         "auto s = R\"(/* \" )\"; // note\nclass A {};\n",
         {{"auto", S}, {" s = R\"(/* \" )\"; ", P}, {"// note", C}, {"class", S}}},
        {"sh",
         "if true; then # no \"string\"\n  echo \"# not a comment\"\nfi\n",
         {{"if", S},
          {"then", S},
          {"# no \"string\"", C},
          {"  echo \"# not a comment\"", P},
          {"fi", S}}},
        {"python", "def f(x):  # c\n    return x\n", {{"def", S}, {"# c", C}, {"return", S}}},
    };
    for (const Source& source : sources) {
        SCOPED_TRACE(source.language);
        const std::vector<Emphasis> bytes = EmphasisOfBytes(source.language, source.text);
        for (const Piece& piece : source.pieces) {
            const std::size_t begin = source.text.find(piece.text);
            ASSERT_NE(begin, std::string::npos) << piece.text;
            for (std::size_t byte = begin; byte < begin + std::string(piece.text).size(); ++byte)
                EXPECT_EQ(bytes[byte], piece.emphasis) << piece.text << ", byte " << byte;
        }
    }
}

TEST(SyntaxEmphasisTest, LanguagesAreKnownByTheirNamesAndOtherNames) {
    SKIP_WITHOUT_LANGUAGES();
    const std::vector<std::string> languages = KnownLanguages();
    EXPECT_TRUE(std::is_sorted(languages.begin(), languages.end()));
    for (const char* language : {"c", "cpp", "python", "sh", "makefile", "pascal", "sql"})
        EXPECT_NE(std::find(languages.begin(), languages.end(), language), languages.end())
            << language;
    EXPECT_EQ(LanguageNamed("py"), "python");
    EXPECT_EQ(LanguageNamed("h"), "cpp");
    EXPECT_EQ(LanguageNamed("no-such-language"), "");
    EXPECT_EQ(MakeHighlighter("no-such-language"), nullptr);
}

TEST(LanguageDetectionTest, FileNamesAndScriptLinesGiveTheLanguage) {
    SKIP_WITHOUT_LANGUAGES();
    struct NamedFile {
        const char* fileName;
        const char* firstLine;
        const char* language;
    };
    const NamedFile files[] = {
        {"main.c", "", "c"},
        {"src/Window.cpp", "", "cpp"},
        {"engine/Utf8.h", "", "cpp"},
        {"MODULE.PY", "", "python"},
        {"Makefile", "", "makefile"},
        {"rules.mk", "", "makefile"},
        {".bashrc", "", "sh"},
        // No CMake or Dockerfile language: the nearest, for "#" comments.
        {"CMakeLists.txt", "", "sh"},
        {"docker/Dockerfile", "", "sh"},
        {"tool", "#!/bin/sh", "sh"},
        {"tool", "#! /usr/bin/perl -w", "perl"},
        {"tool", "#!/usr/bin/env -S python3.11 -u", "python"},
        {"tool", "#!/usr/bin/env LC_ALL=C awk -f", "awk"},
        {"tool", "#!/usr/bin/node", "javascript"},
        // The name comes before the script line.
        {"setup.py", "#!/bin/sh", "python"},
        {"notes.txt", "", ""},
        {"run.txt", "#!/bin/sh", "sh"},
        {"README", "", ""},
        {"tool", "#!/opt/no-such-interpreter", ""},
        {"tool", "# a comment, not a script line", ""},
    };
    for (const NamedFile& file : files)
        EXPECT_EQ(LanguageOf(file.fileName, file.firstLine), file.language)
            << file.fileName << " / " << file.firstLine;
}

TEST(EmphasisSourceTest, ALongFileIsToldWhatItsHighlighterSeesWhole) {
    SKIP_WITHOUT_LANGUAGES();
    // Far more than the highlighter parses at once, with comments across
    // every place the text may be cut, read a few bytes at a time.
    std::string text;
    for (int i = 0; text.size() < 1500 * 1000; ++i)
        text += "/* comment " + std::to_string(i) + "\n over lines */ int f" + std::to_string(i) +
                "(void) { return \"*/\"[0]; }\n";
    EmphasisSource source(std::make_unique<test::FailingSource>(text, 4093, 0), "auto",
                          {"/var/spool/d0001-001", "big.c"});
    std::string handed(text.size() + 1000, '\0');
    std::size_t read = 0;
    std::vector<Emphasis> told;
    while (const std::size_t count = source.Read(handed.data() + read, 1000)) {
        read += count;
        while (told.size() < read) { // of the bytes handed on only, in order
            const EmphasisSource::Stretch stretch = source.StretchAt(told.size());
            ASSERT_GT(stretch.end, told.size());
            told.resize(std::min<std::uint64_t>(stretch.end, read), stretch.emphasis);
        }
    }
    handed.resize(read);
    ASSERT_EQ(read, text.size());
    EXPECT_EQ(handed, text);
    EXPECT_EQ(source.Language(), "c");
    EXPECT_TRUE(told == EmphasisOfBytes("c", text)) << "the emphasis differs";
}

} // namespace
} // namespace zl
