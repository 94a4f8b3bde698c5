// The fontconfig library, loaded when a listing first needs a glyph, as
// FreeType is: it finds the faces the glyphs are drawn from by family and
// tells which characters each has.
#pragma once

#include <fontconfig/fontconfig.h>

#include "platform/LoadedLibrary.h"

namespace zl {

#define ZL_FONTCONFIG_FUNCTIONS(X)                                                                 \
    X(FcNameParse)                                                                                 \
    X(FcConfigSubstitute)                                                                          \
    X(FcDefaultSubstitute)                                                                         \
    X(FcFontMatch)                                                                                 \
    X(FcPatternGetString)                                                                          \
    X(FcPatternGetInteger)                                                                         \
    X(FcPatternGetCharSet)                                                                         \
    X(FcPatternDestroy)                                                                            \
    X(FcCharSetHasChar)                                                                            \
    X(FcStrCmpIgnoreCase)

struct FontconfigLibrary {
    ZL_FONTCONFIG_FUNCTIONS(ZL_LOADED_LIBRARY_POINTER)

    // The loaded library, or null when it cannot be loaded whole.
    static const FontconfigLibrary* Get();
};

} // namespace zl
