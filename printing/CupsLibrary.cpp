#include "printing/CupsLibrary.h"

#include "platform/LoadedLibrary.h"

namespace zl {

ZL_DEFINE_LOADED_LIBRARY(CupsLibrary, "libcups.so.2", ZL_CUPS_FUNCTIONS)

} // namespace zl
