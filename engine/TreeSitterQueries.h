// The highlight queries of the tree-sitter grammars the build fetched, as
// their authors ship them (made by cmake/TreeSitterGrammars.cmake).
#pragma once

namespace zl {

extern const char* const kHighlightQuery_c;
// Extends C's: a C++ highlighter applies both.
extern const char* const kHighlightQuery_cpp;

} // namespace zl
