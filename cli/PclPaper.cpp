#include "cli/PclPaper.h"

#include "cli/CommandLine.h"
#include "engine/PageGeometry.h"

#include <cstdio>

namespace zl::cli {

namespace {

constexpr double kDotsPerInch = 300; // the papers' sizes are in 300-dpi dots
// The listing leaves the printer's own top margin, half an inch.
constexpr int kTopMarginHalfInches = 1;

// "10.5", "8.27": inches to the hundredth, without trailing zeros.
std::string Inches(double inches) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", inches);
    std::string shown = text;
    while (shown.back() == '0')
        shown.pop_back();
    if (shown.back() == '.')
        shown.pop_back();
    return shown;
}

} // namespace

PaperRequest PclPaperRequest(const std::string& name, const ListingOptions& listing) {
    const Paper* paper = PaperNamed(name);
    if (!paper)
        throw UsageError("--paper: '" + name + "' is not letter, legal or a4");
    // Down the page is along the paper's length in portrait, across it in
    // landscape.
    const double length = (listing.landscape ? paper->width : paper->height) / kDotsPerInch;
    const int textHalfInches = GeometryFor(listing).pageLength;
    const double needed = (kTopMarginHalfInches + textHalfInches) / 2.0;
    if (length <= needed) {
        const bool landscape = listing.landscape;
        throw UsageError(
            "--paper: " + name + " is too short for a " + (landscape ? "landscape" : "portrait") +
            " PCL listing, which needs more than " + Inches(needed) +
            " inches of paper down its page (half an inch of top margin, " +
            Inches(textHalfInches / 2.0) +
            " inches of text, and an edge the printer cannot print on), and " + name + " is only " +
            Inches(length) + (landscape ? " inches wide" : " inches long") +
            "; use letter, legal or a4");
    }
    const PaperRequest request = RequestFor(paper);
    if (request == PaperRequest::PrinterDefault)
        throw UsageError("--paper: a PCL listing asks only for letter, legal or a4, not " + name);
    return request;
}

} // namespace zl::cli
