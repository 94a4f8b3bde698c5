// The paper a listing lays its page out for when it asks for none: the
// printer's default paper form, as the listing knows papers.
#pragma once

#include "engine/ListingOptions.h"
#include "printing/DeviceSettings.h"

namespace zl {

// A4, Legal or Letter when the printer's default form is one of them by
// its PCL paper size; else none (Letter's widths).
PaperRequest DefaultPaperOf(const PrinterCapabilities& printer);

} // namespace zl
