// What a CUPS destination offers, read from the details its server gave
// (cupsCopyDestInfo): paper forms, media sources, duplex and the defaults.
#pragma once

#include "printing/CupsMediaCodes.h"

#include <cups/cups.h>

namespace zl {

struct CupsLibrary;

// The forms, bins, duplex and defaults of `dest`, with their codes.
CupsDestChoices ChoicesOfDest(const CupsLibrary& cups, http_t* http, cups_dest_t* dest,
                              cups_dinfo_t* info);

} // namespace zl
