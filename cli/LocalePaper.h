// The paper a PDF listing is written on when the command line names none:
// the one the locale's LC_PAPER gives, else Letter.
#pragma once

#include "render/PageModel.h"

namespace zl::cli {

// A4 for 210 x 297 mm, Letter for anything else.
render::PaperSize PaperOfMillimetres(unsigned width, unsigned height);

// The paper of the environment's LC_PAPER (LC_ALL, LC_PAPER, LANG), Letter
// when the system cannot tell.
render::PaperSize LocalePaper();

} // namespace zl::cli
