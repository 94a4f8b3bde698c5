#include "cli/LocalePaper.h"

#include <clocale>
#include <langinfo.h>
#include <locale.h>

namespace zl::cli {

render::PaperSize PaperOfMillimetres(unsigned width, unsigned height) {
    return width == 210 && height == 297 ? render::PaperSize::A4() : render::PaperSize::Letter();
}

render::PaperSize LocalePaper() {
#if defined(__GLIBC__)
    // Asked of a locale object of its own, so the program's locale stays C.
    locale_t paper = newlocale(LC_PAPER_MASK, "", nullptr);
    if (!paper)
        return render::PaperSize::Letter();
    // glibc answers these two items with a number in place of the text.
    union Word {
        const char* string;
        unsigned word;
    };
    Word width{nl_langinfo_l(_NL_PAPER_WIDTH, paper)};
    Word height{nl_langinfo_l(_NL_PAPER_HEIGHT, paper)};
    freelocale(paper);
    return PaperOfMillimetres(width.word, height.word);
#else
    return render::PaperSize::Letter();
#endif
}

} // namespace zl::cli
