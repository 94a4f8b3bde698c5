// What of a listing did not print exactly as its file has it, counted over
// the pages written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zl {

// What of a listing did not print exactly as the file has it.
struct ListingCounts {
    std::int64_t notPrinted = 0; // characters printed as '?'
    // Characters printed as one near them in the listing's own set: a
    // letter without its accents, a hyphen for a non-breaking one.
    std::int64_t nearEnough = 0;
    // Bytes that began no character of the file's encoding, printed as they
    // are in the listing's own set (as '?' where it takes them as controls).
    std::int64_t notDecoded = 0;
    // Letters of scripts written right to left (Hebrew, Arabic), printed in
    // the file's order, left to right, each in its isolated form.
    std::int64_t rightToLeft = 0;
};

// What the counts say, a phrase for each that is not zero: "2 characters
// could not be printed (shown as ?)", "41 characters printed without their
// accents", "3 bytes were not UTF-8" (for an `encoding` other than "auto",
// its name), "12 right-to-left characters printed left to right".
std::vector<std::string> CountPhrases(const ListingCounts& counts, const std::string& encoding);

} // namespace zl
