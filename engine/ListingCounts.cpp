#include "engine/ListingCounts.h"

namespace zl {

namespace {

std::string Counted(std::int64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::vector<std::string> CountPhrases(const ListingCounts& counts, const std::string& encoding) {
    std::vector<std::string> phrases;
    if (counts.notPrinted > 0)
        phrases.push_back(Counted(counts.notPrinted, "character", "characters") +
                          " could not be printed (shown as ?)");
    if (counts.nearEnough > 0)
        phrases.push_back(Counted(counts.nearEnough, "character", "characters") +
                          " printed without their accents");
    if (counts.notDecoded > 0)
        phrases.push_back(Counted(counts.notDecoded, "byte was", "bytes were") + " not " +
                          (encoding == "auto" ? std::string("UTF-8") : encoding));
    if (counts.rightToLeft > 0)
        phrases.push_back(
            Counted(counts.rightToLeft, "right-to-left character", "right-to-left characters") +
            " printed left to right");
    return phrases;
}

} // namespace zl
