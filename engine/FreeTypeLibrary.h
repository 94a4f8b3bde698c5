// The FreeType library, loaded when a listing first needs a glyph rather
// than at start: listings of text the printer's own sets print never load
// it, and a machine without it prints those characters as '?'.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/LoadedLibrary.h"

namespace zl {

#define ZL_FREETYPE_FUNCTIONS(X)                                                                   \
    X(FT_Init_FreeType)                                                                            \
    X(FT_Done_FreeType)                                                                            \
    X(FT_New_Face)                                                                                 \
    X(FT_Done_Face)                                                                                \
    X(FT_Set_Char_Size)                                                                            \
    X(FT_Set_Transform)                                                                            \
    X(FT_Get_Char_Index)                                                                           \
    X(FT_Load_Glyph)

struct FreeTypeLibrary {
    ZL_FREETYPE_FUNCTIONS(ZL_LOADED_LIBRARY_POINTER)

    // The loaded library, or null when it cannot be loaded whole.
    static const FreeTypeLibrary* Get();
};

} // namespace zl
