// The CUPS client library, loaded when it is first needed rather than at
// start: programs that never print through CUPS (zellist -o) start several
// times faster, and a machine without libcups still has "PCL File".
#pragma once

#include <cups/cups.h>

#include "platform/LoadedLibrary.h"

namespace zl {

#define ZL_CUPS_FUNCTIONS(X)                                                                       \
    X(cupsServer)                                                                                  \
    X(cupsSetServer)                                                                               \
    X(cupsEncryption)                                                                              \
    X(ippPort)                                                                                     \
    X(ippSetPort)                                                                                  \
    X(httpConnect2)                                                                                \
    X(httpClose)                                                                                   \
    X(httpSetTimeout)                                                                              \
    X(httpError)                                                                                   \
    X(cupsLastError)                                                                               \
    X(cupsLastErrorString)                                                                         \
    X(cupsGetNamedDest)                                                                            \
    X(cupsGetDests2)                                                                               \
    X(cupsFreeDests)                                                                               \
    X(cupsCreateJob)                                                                               \
    X(cupsStartDocument)                                                                           \
    X(cupsWriteRequestData)                                                                        \
    X(cupsFinishDocument)                                                                          \
    X(cupsCancelJob2)                                                                              \
    X(cupsCopyDestInfo)                                                                            \
    X(cupsFreeDestInfo)                                                                            \
    X(cupsGetDestMediaCount)                                                                       \
    X(cupsGetDestMediaByIndex)                                                                     \
    X(cupsLocalizeDestMedia)                                                                       \
    X(cupsLocalizeDestValue)                                                                       \
    X(cupsFindDestSupported)                                                                       \
    X(cupsFindDestDefault)                                                                         \
    X(cupsGetFd)                                                                                   \
    X(ippFindAttribute)                                                                            \
    X(ippGetCollection)                                                                            \
    X(ippGetCount)                                                                                 \
    X(ippGetString)                                                                                \
    X(pwgMediaForPPD)

struct CupsLibrary {
    ZL_CUPS_FUNCTIONS(ZL_LOADED_LIBRARY_POINTER)

    // The loaded library, or null when it cannot be loaded whole.
    static const CupsLibrary* Get();
};

} // namespace zl
