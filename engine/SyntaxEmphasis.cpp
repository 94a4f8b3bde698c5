#include "engine/SyntaxEmphasis.h"

#include <algorithm>
#include <cctype>

#ifdef ZELLIST_HAVE_SOURCE_HIGHLIGHT
#include "engine/SourceHighlightEngine.h"
#endif
#ifdef ZELLIST_HAVE_TREE_SITTER
#include "engine/TreeSitterEngine.h"
#endif

namespace zl {

// Tree-sitter for the languages it parses, GNU source-highlight for the
// others.
std::unique_ptr<SyntaxHighlighter> MakeHighlighter(const std::string& language) {
    const std::string known = LanguageNamed(language);
    if (known.empty())
        return nullptr;
#ifdef ZELLIST_HAVE_TREE_SITTER
    if (std::unique_ptr<SyntaxHighlighter> parsed = MakeTreeSitterHighlighter(known))
        return parsed;
#endif
#ifdef ZELLIST_HAVE_SOURCE_HIGHLIGHT
    return MakeSourceHighlighter(known);
#else
    return nullptr;
#endif
}

std::vector<std::string> KnownLanguages() {
    std::vector<std::string> languages;
#ifdef ZELLIST_HAVE_SOURCE_HIGHLIGHT
    languages = SourceHighlightLanguages();
#endif
#ifdef ZELLIST_HAVE_TREE_SITTER
    for (const std::string& language : TreeSitterLanguages())
        if (std::find(languages.begin(), languages.end(), language) == languages.end())
            languages.push_back(language);
#endif
    std::sort(languages.begin(), languages.end());
    return languages;
}

namespace {

// The language a name stands for in one of the libraries, as it is spelt.
std::string LanguageSpelt(const std::string& name) {
#ifdef ZELLIST_HAVE_SOURCE_HIGHLIGHT
    if (std::string known = SourceHighlightLanguageNamed(name); !known.empty())
        return known;
#endif
#ifdef ZELLIST_HAVE_TREE_SITTER
    for (const std::string& language : TreeSitterLanguages())
        if (name == language)
            return language;
#endif
    (void)name;
    return {};
}

} // namespace

// The name as given, else in lower case ("PY", "Makefile").
std::string LanguageNamed(const std::string& name) {
    if (std::string known = LanguageSpelt(name); !known.empty())
        return known;
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower == name ? std::string() : LanguageSpelt(lower);
}

bool IsEmphasisChoice(const std::string& value) {
    return value == "auto" || value == "none" || !LanguageNamed(value).empty();
}

} // namespace zl
