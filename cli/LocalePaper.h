// The paper a PDF listing is written on when the command line names none:
// the one the locale's LC_PAPER gives, else Letter.
#pragma once

#include "engine/ListingOptions.h"

#include <string>

namespace zl::cli {

// A4 for 210 x 297 mm, Letter for anything else.
PaperRequest PaperOfMillimetres(unsigned width, unsigned height);

// The paper of the environment's LC_PAPER (LC_ALL, LC_PAPER, LANG), Letter
// when the system cannot tell.
PaperRequest LocalePaper();

// Whether the locale named `name` (as LC_ALL, LC_PAPER or LANG give it)
// says which paper its users have: the C and POSIX locales do not.
bool NamesAPaper(const std::string& name);

// The paper a PCL listing into a file is laid out for: the locale's, where
// the environment names one that says; else none (Letter's widths).
PaperRequest LocalePagePaper();

} // namespace zl::cli
