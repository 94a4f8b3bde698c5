#include "printing/CupsLibrary.h"

#include <dlfcn.h>

namespace zl {

namespace {

const CupsLibrary* Load() {
    void* handle = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    static CupsLibrary library;
    bool complete = true;
#define ZL_CUPS_RESOLVE(name)                                                                      \
    library.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name));                      \
    complete = complete && library.name != nullptr;
    ZL_CUPS_FUNCTIONS(ZL_CUPS_RESOLVE)
#undef ZL_CUPS_RESOLVE
    return complete ? &library : nullptr;
}

} // namespace

const CupsLibrary* CupsLibrary::Get() {
    static const CupsLibrary* library = Load();
    return library;
}

} // namespace zl
