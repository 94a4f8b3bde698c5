#include "engine/FontconfigLibrary.h"

#include "platform/LoadedLibrary.h"

namespace zl {

ZL_DEFINE_LOADED_LIBRARY(FontconfigLibrary, "libfontconfig.so.1", ZL_FONTCONFIG_FUNCTIONS)

} // namespace zl
