#include "filter/JobOptions.h"

#include "engine/PageGeometry.h"
#include "engine/SyntaxEmphasis.h"
#include "platform/Papers.h"

#include <cups/cups.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace zl::filter {

namespace {

JobOptionError BadValue(const std::string& name, const std::string& value,
                        const std::string& expected) {
    return JobOptionError(name + "=" + value + ": the value is not " + expected);
}

// `value` as one of `choices`, by its index; raises for any other text.
std::size_t ChoiceIndex(const std::string& name, const std::string& value,
                        const std::vector<std::string>& choices) {
    std::string list;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (value == choices[i])
            return i;
        list += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i];
    }
    throw BadValue(name, value, list);
}

int Number(const std::string& name, const std::string& value, int low, int high) {
    int number = 0;
    for (const char c : value) {
        if (c < '0' || c > '9' || number > high)
            throw BadValue(name, value,
                           "a number from " + std::to_string(low) + " to " + std::to_string(high));
        number = number * 10 + (c - '0');
    }
    if (value.empty() || number < low || number > high)
        throw BadValue(name, value,
                       "a number from " + std::to_string(low) + " to " + std::to_string(high));
    return number;
}

using SetOption = void (*)(ListingOptions& listing, const std::string& name,
                           const std::string& value);

struct ListingOption {
    const char* name;
    SetOption set;
};

// The listing's own options, as the PPD offers them.
const ListingOption kListingOptions[] = {
    {"zellist-lpi",
     [](ListingOptions& l, const std::string& n, const std::string& v) {
         l.sixLpi = ChoiceIndex(n, v, {"6", "8"}) == 0;
     }},
    {"zellist-font",
     [](ListingOptions& l, const std::string& n, const std::string& v) {
         l.linePrinter = ChoiceIndex(n, v, {"courier", "lineprinter"}) == 1;
     }},
    {"zellist-pitch",
     [](ListingOptions& l, const std::string& n, const std::string& v) {
         l.compressed = ChoiceIndex(n, v, {"10", "16.67"}) == 1;
     }},
    {"zellist-bars",
     [](ListingOptions& l, const std::string& n, const std::string& v) {
         l.printBars = ChoiceIndex(n, v, {"yes", "no"}) == 0;
     }},
    {"zellist-bar-height", [](ListingOptions& l, const std::string& n,
                              const std::string& v) { l.barHeight = Number(n, v, 1, 6); }},
    {"zellist-charset",
     [](ListingOptions& l, const std::string& n, const std::string& v) {
         l.roman8 = ChoiceIndex(n, v, {"ibm", "roman8"}) == 1;
     }},
    {"zellist-tab-size", [](ListingOptions& l, const std::string& n,
                            const std::string& v) { l.tabSize = Number(n, v, 0, 16); }},
    {"zellist-emphasis",
     [](ListingOptions& l, const std::string& n, const std::string& v) {
         if (!IsEmphasisChoice(v))
             throw BadValue(n, v, "auto, none or a language that zellist --list-languages lists");
         l.emphasis = v;
     }},
};

constexpr const char* kPrefix = "zellist-";

void ApplyListingOption(ListingOptions& listing, const std::string& name,
                        const std::string& value) {
    std::string known;
    for (const ListingOption& option : kListingOptions) {
        if (name == option.name)
            return option.set(listing, name, value);
        known += (known.empty() ? "" : ", ") + std::string(option.name);
    }
    throw JobOptionError(name + "=" + value + ": no such option (the listing's are " + known + ")");
}

// The paper a media or PageSize value names: Letter, Legal or A4 by their
// PPD or PWG names. CUPS's media may list a size with a type or a source
// ("iso_a4_210x297mm,tray-1"): the first word that is a paper counts.
PaperRequest MediaPaper(const std::string& name, const std::string& value) {
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find(',', start), value.size());
        const std::string word = value.substr(start, end - start);
        const Paper* paper = PaperNamed(word);
        if (!paper)
            paper = PaperWithPwgName(word);
        if (paper) {
            const PaperRequest request = RequestFor(paper);
            if (request == PaperRequest::PrinterDefault)
                break;
            return request;
        }
        start = end + 1;
    }
    throw BadValue(name, value,
                   "Letter, Legal or A4 (na_letter_8.5x11in, na_legal_8.5x14in, "
                   "iso_a4_210x297mm)");
}

// Applies the standard option `name`, if it is one a listing takes; true
// when it was.
bool ApplyStandardOption(ListingOptions& listing, const QueueDescription& queue,
                         const std::string& name, const std::string& value) {
    if (name == "orientation-requested") {
        // Reversed orientations (5, 6) would print the listing upside down,
        // which the listing's page cannot do: refused rather than printed
        // another way.
        listing.landscape = ChoiceIndex(name, value, {"3", "4"}) == 1;
    } else if (name == "landscape") {
        listing.landscape =
            ChoiceIndex(name, value, {"true", "yes", "on", "", "false", "no", "off"}) < 4;
    } else if (name == "page-ranges") {
        const std::optional<PageSelection> pages = PageSelection::Parse(value);
        if (!pages)
            throw BadValue(name, value, "a list of pages such as 2-3 or 1,4-");
        listing.pages = *pages;
    } else if (name == "media" || name == "PageSize") {
        listing.requests.paper = MediaPaper(name, value);
    } else if (name == "sides" || name == "Duplex") {
        const std::vector<std::string> choices =
            name == "sides" ? std::vector<std::string>{"one-sided", "two-sided-long-edge",
                                                       "two-sided-short-edge"}
                            : std::vector<std::string>{"None", "DuplexNoTumble", "DuplexTumble"};
        const Sides sides[] = {Sides::OneSided, Sides::LongEdge, Sides::ShortEdge};
        listing.requests.sides = sides[ChoiceIndex(name, value, choices)];
    } else if (name == "InputSlot") {
        if (queue.trays.empty())
            throw BadValue(name, value, "a tray: the queue's PPD names none");
        std::vector<std::string> trays;
        for (const auto& [tray, source] : queue.trays)
            trays.push_back(tray);
        listing.requests.paperSource = queue.trays[ChoiceIndex(name, value, trays)].second;
    } else {
        return false;
    }
    return true;
}

struct FreeOptions {
    int count;
    void operator()(cups_option_t* options) const { cupsFreeOptions(count, options); }
};

// The options of CUPS's options text, as libcups reads them.
class ParsedOptions {
public:
    explicit ParsedOptions(const std::string& text) {
        cups_option_t* options = nullptr;
        const int count = cupsParseOptions(text.c_str(), 0, &options);
        options_ = std::unique_ptr<cups_option_t, FreeOptions>(options, FreeOptions{count});
    }
    int Count() const { return options_.get_deleter().count; }
    const cups_option_t& operator[](int i) const { return options_.get()[i]; }
    const char* Value(const char* name) const {
        return cupsGetOption(name, Count(), options_.get());
    }

private:
    std::unique_ptr<cups_option_t, FreeOptions> options_{nullptr, FreeOptions{0}};
};

} // namespace

ListingOptions JobListingOptions(const std::string& jobOptions, int copies,
                                 const QueueDescription& queue, const std::string& title) {
    ListingOptions listing;
    listing.title = title;
    listing.pagePaper = queue.defaultPaper;
    // The listing asks the printer for at most 999 copies.
    if (copies > 999)
        throw BadValue("copies", std::to_string(copies), "a number from 1 to 999");
    if (copies > 1)
        listing.requests.copies = copies;
    for (const auto& [name, value] : queue.listingDefaults)
        ApplyListingOption(listing, name, value);

    const ParsedOptions options(jobOptions);
    for (int i = 0; i < options.Count(); ++i) {
        const std::string name = options[i].name;
        const std::string value = options[i].value ? options[i].value : "";
        if (name.compare(0, std::strlen(kPrefix), kPrefix) == 0)
            ApplyListingOption(listing, name, value);
        else
            ApplyStandardOption(listing, queue, name, value);
    }
    // The Line Printer face needs compressed pitch, as on zellist's command
    // line.
    if (CourierForced(listing.compressed))
        listing.linePrinter = false;
    return listing;
}

std::int64_t JobTime(const std::string& jobOptions, std::int64_t now) {
    const ParsedOptions options(jobOptions);
    const char* created = options.Value("time-at-creation");
    if (!created || !*created)
        return now;
    char* end = nullptr;
    const long long seconds = std::strtoll(created, &end, 10);
    return *end == '\0' && seconds > 0 ? seconds : now;
}

} // namespace zl::filter
