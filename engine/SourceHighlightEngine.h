// Syntax emphasis from GNU source-highlight (srchilite): its language
// definitions and its map of language names and file extensions. Built
// only where the library is installed.
#pragma once

#include "engine/SyntaxEmphasis.h"

#include <memory>
#include <string>
#include <vector>

namespace zl {

// Null for a language the library does not know or cannot load.
std::unique_ptr<SyntaxHighlighter> MakeSourceHighlighter(const std::string& language);

// The library's language definitions that its map names, by their file's
// name without ".lang" ("c", "cpp", "python"), sorted.
std::vector<std::string> SourceHighlightLanguages();

// The language a name of the library's map stands for ("py" -> "python").
std::string SourceHighlightLanguageNamed(const std::string& name);

} // namespace zl
