// What zellist-cups reads from its queue's PPD (the file CUPS names in the
// PPD environment variable): the defaults of the listing's options, the
// default paper, and the trays with their PCL paper sources.
#pragma once

#include "filter/JobOptions.h"

#include <string>

namespace zl::filter {

// The description in the PPD file at `path`; an empty one for an empty
// path (the filter run without a queue). Raises JobOptionError when the
// file cannot be read as a PPD.
QueueDescription ReadQueuePpd(const std::string& path);

} // namespace zl::filter
