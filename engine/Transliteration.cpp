#include "engine/Transliteration.h"

#ifndef _WIN32
#include <iconv.h>
#endif

namespace zl {

#ifndef _WIN32
std::string Transliterated(char32_t c, const char* converterName) {
    const iconv_t cd = iconv_open((std::string(converterName) + "//TRANSLIT").c_str(), "UTF-32LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
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
