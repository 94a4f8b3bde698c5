// `zellist -o NAME.pdf`: each input becomes a PDF file of its own instead of
// a PCL job.
#pragma once

#include "cli/CommandLine.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"
#include "render/PageModel.h"

#include <iosfwd>

namespace zl::cli {

// Writes the PDF of each file of `settings` on `paper`, named after
// settings.output as PdfOutputName says. Messages go to `err` as RunZelList
// gives them; the first failure ends the run. 0 when all were written, 1
// after a failure, 128 + the signal's number when a stop signal ended it.
int WritePdfListings(const CliSettings& settings, const render::PaperSize& paper,
                     const Clock& clock, const LocaleNames& names, std::ostream& err);

} // namespace zl::cli
