// Syntax emphasis on paper: which bytes of a source print bold (keywords,
// types) or italic (comments). Highlighting libraries do the work behind
// this interface; without one no language is known.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zl {

enum class Emphasis {
    Plain,
    Strong,  // keywords, types, preprocessor directives
    Comment, // everything inside a comment, its delimiters included
};

// Bytes [begin, end) of a text share one emphasis.
struct EmphasisSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    Emphasis emphasis = Emphasis::Plain;

    bool operator==(const EmphasisSpan& other) const {
        return begin == other.begin && end == other.end && emphasis == other.emphasis;
    }
};

// Highlights one file in one language, fed its text in order. It keeps what
// it needs across calls (a comment left open stays open) and nothing that
// grows with the file. One thread at a time.
class SyntaxHighlighter {
public:
    virtual ~SyntaxHighlighter() = default;

    // Highlights the start of `text`, which follows the text settled before:
    // returns how many of its bytes are settled now, with their spans that
    // are not Plain (offsets into `text`, in order, none overlapping) in
    // `spans`. It may settle nothing until more text shows how a construct
    // ends; `all` (the input's end, or as much text as the caller keeps)
    // asks it to settle the whole of `text`.
    virtual std::size_t Settle(std::string_view text, bool all,
                               std::vector<EmphasisSpan>& spans) = 0;
};

// A highlighter for a language of KnownLanguages() or another name of one
// (LanguageNamed); null for any other.
std::unique_ptr<SyntaxHighlighter> MakeHighlighter(const std::string& language);

// The languages that can be highlighted, sorted; empty without a library.
std::vector<std::string> KnownLanguages();

// The language of KnownLanguages() a name stands for: the name itself, or
// another name of it ("py" -> "python", "h" -> "cpp"); empty when unknown.
std::string LanguageNamed(const std::string& name);

// True for what a listing's emphasis may be: "auto", "none" or a name
// LanguageNamed knows.
bool IsEmphasisChoice(const std::string& value);

} // namespace zl
