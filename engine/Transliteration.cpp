#include "engine/Transliteration.h"

#ifndef _WIN32
#include <clocale>
#include <iconv.h>
#include <locale.h>
#endif

namespace zl {

#ifndef _WIN32
namespace {

// The converter comes near by the rules of the thread's locale: the same
// locale for every run, the window's and the command line's alike, C.UTF-8
// where the C library has it (it knows the most), else C.
locale_t NearingLocale() {
    static const locale_t locale = [] {
        const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        return utf8 ? utf8 : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
    }();
    return locale;
}

} // namespace

std::string Transliterated(char32_t c, const char* converterName) {
    const locale_t nearing = NearingLocale();
    if (!nearing)
        return {};
    const locale_t previous = uselocale(nearing);
    const iconv_t cd = iconv_open((std::string(converterName) + "//TRANSLIT").c_str(), "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        uselocale(previous);
        return {};
    }
    unsigned char in[4] = {static_cast<unsigned char>(c), static_cast<unsigned char>(c >> 8),
                           static_cast<unsigned char>(c >> 16),
                           static_cast<unsigned char>(c >> 24)};
    char out[16];
    char* inNext = reinterpret_cast<char*>(in);
    std::size_t inLeft = sizeof in;
    char* outNext = out;
    std::size_t outLeft = sizeof out;
    const std::size_t done = iconv(cd, &inNext, &inLeft, &outNext, &outLeft);
    iconv_close(cd);
    uselocale(previous);
    // glibc puts '?' for what it cannot come near: that is no answer.
    const std::string result(out, sizeof out - outLeft);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0 || result == "?")
        return {};
    return result;
}
#else
std::string Transliterated(char32_t, const char*) {
    return {};
}
#endif

} // namespace zl
