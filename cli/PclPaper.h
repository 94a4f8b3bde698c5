// The paper a PCL listing may ask the printer for with --paper. A PDF or a
// --driver listing is drawn on any paper --paper names; a PCL listing keeps
// its page, so the paper must be long enough to hold it.
#pragma once

#include "engine/ListingOptions.h"

#include <string>

namespace zl::cli {

// The request for the paper named `name` (letter, legal or a4, in any
// case) for a listing with `listing`'s page options. Raises UsageError,
// saying why, for a paper too short for the listing's page: the page runs
// half an inch of top margin and then its text down the paper (10 inches
// portrait, 7.5 landscape), and the printer prints nothing at the paper's
// very edge, so the paper must be longer than that.
PaperRequest PclPaperRequest(const std::string& name, const ListingOptions& listing);

} // namespace zl::cli
