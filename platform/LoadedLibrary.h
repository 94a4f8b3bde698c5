// A shared library loaded the first time it is needed, as a struct of
// function pointers named after the library's functions: `Type::Get()`
// returns it, or null when the library cannot be loaded whole. FUNCTIONS is
// an X-macro listing the functions.
#pragma once

#include <dlfcn.h>

#define ZL_LOADED_LIBRARY_POINTER(name) decltype(&::name) name = nullptr;
#define ZL_LOADED_LIBRARY_RESOLVE(name)                                                            \
    loaded.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name));                       \
    complete = complete && loaded.name != nullptr;

#define ZL_DEFINE_LOADED_LIBRARY(Type, fileName, FUNCTIONS)                                        \
    const Type* Type::Get() {                                                                      \
        static const Type* const library = []() -> const Type* {                                   \
            void* handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);                                \
            if (!handle)                                                                           \
                return nullptr;                                                                    \
            static Type loaded;                                                                    \
            bool complete = true;                                                                  \
            FUNCTIONS(ZL_LOADED_LIBRARY_RESOLVE)                                                   \
            return complete ? &loaded : nullptr;                                                   \
        }();                                                                                       \
        return library;                                                                            \
    }
