#include "engine/FreeTypeLibrary.h"

#include "platform/LoadedLibrary.h"

namespace zl {

ZL_DEFINE_LOADED_LIBRARY(FreeTypeLibrary, "libfreetype.so.6", ZL_FREETYPE_FUNCTIONS)

} // namespace zl
