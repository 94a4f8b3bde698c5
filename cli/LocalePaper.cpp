#include "cli/LocalePaper.h"

#include <cstdlib>
#if defined(__GLIBC__)
#include <clocale>
#include <langinfo.h>
#include <locale.h>
#endif

namespace zl::cli {

PaperRequest PaperOfMillimetres(unsigned width, unsigned height) {
    return width == 210 && height == 297 ? PaperRequest::A4 : PaperRequest::Letter;
}

PaperRequest LocalePaper() {
#if defined(__GLIBC__)
    // Asked of a locale object of its own, so the program's locale stays C.
    locale_t paper = newlocale(LC_PAPER_MASK, "", nullptr);
    if (!paper)
        return PaperRequest::Letter;
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
    return PaperRequest::Letter;
#endif
}

bool NamesAPaper(const std::string& name) {
    const std::string language = name.substr(0, name.find('.'));
    return !language.empty() && language != "C" && language != "POSIX";
}

PaperRequest LocalePagePaper() {
    std::string name;
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            name = value;
            break;
        }
    }
    return NamesAPaper(name) ? LocalePaper() : PaperRequest::PrinterDefault;
}

} // namespace zl::cli
