#include "engine/SyntaxEmphasis.h"

#include <algorithm>

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

std::string LanguageNamed(const std::string& name) {
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

} // namespace zl
