// Syntax emphasis for C and C++ from tree-sitter's parsers and the highlight
// queries their grammars ship: a parse, not expressions, so a raw string
// holding comment or quote characters stays a string. Built only where
// tree-sitter and the grammars are.
#pragma once

#include "engine/SyntaxEmphasis.h"

#include <memory>
#include <string>
#include <vector>

namespace zl {

// The languages it highlights, by the names KnownLanguages() gives them.
std::vector<std::string> TreeSitterLanguages();

// Null for a language it does not highlight.
std::unique_ptr<SyntaxHighlighter> MakeTreeSitterHighlighter(const std::string& language);

} // namespace zl
