#include "printing/CupsDestDetails.h"

#include "platform/Papers.h"
#include "printing/CupsLibrary.h"

#include <algorithm>

namespace zl {

namespace {

// Hundredths of a millimetre to tenths, to the nearest.
std::int32_t Tenths(int hundredths) {
    return hundredths > 0 ? (hundredths + 5) / 10 : 0;
}

std::string TextOr(const char* text, const std::string& fallback) {
    return text && *text ? std::string(text) : fallback;
}

// The first value of a string-valued attribute, empty when there is none.
std::string FirstString(const CupsLibrary& cups, ipp_attribute_t* attr) {
    const char* value = attr ? cups.ippGetString(attr, 0, nullptr) : nullptr;
    return value ? std::string(value) : std::string();
}

// One destination's details as its server gave them, and the library that
// reads them.
struct DestDetails {
    const CupsLibrary& cups;
    http_t* http;
    cups_dest_t* dest;
    cups_dinfo_t* info;

    ipp_attribute_t* Supported(const char* option) const {
        return cups.cupsFindDestSupported(http, dest, info, option);
    }
    ipp_attribute_t* Default(const char* option) const {
        return cups.cupsFindDestDefault(http, dest, info, option);
    }
    std::string DefaultString(const char* option) const {
        return FirstString(cups, Default(option));
    }
    int MediaCount() const { return cups.cupsGetDestMediaCount(http, dest, info, kMediaFlags); }
    bool MediaAt(int index, cups_size_t& size) const {
        return cups.cupsGetDestMediaByIndex(http, dest, info, index, kMediaFlags, &size);
    }
    const char* MediaName(cups_size_t& size) const {
        return cups.cupsLocalizeDestMedia(http, dest, info, kMediaFlags, &size);
    }
    const char* ValueName(const char* option, const char* value) const {
        return cups.cupsLocalizeDestValue(http, dest, info, option, value);
    }

    static constexpr unsigned kMediaFlags = CUPS_MEDIA_FLAGS_DEFAULT;
};

bool HasForm(const std::vector<CupsForm>& forms, const std::string& pwgName) {
    return std::any_of(forms.begin(), forms.end(),
                       [&](const CupsForm& form) { return form.pwgName == pwgName; });
}

// The form of `size`: named as the program names its paper code, else as
// the server names it, else by its PWG name.
CupsForm FormOf(const DestDetails& details, cups_size_t& size) {
    CupsForm form;
    form.pwgName = size.media;
    const Paper* paper = PaperWithPwgName(form.pwgName);
    form.name = paper ? paper->formName : TextOr(details.MediaName(size), form.pwgName);
    form.size = {Tenths(size.width), Tenths(size.length)};
    return form;
}

// The paper forms, each once, in the server's order.
std::vector<CupsForm> FormsOf(const DestDetails& details) {
    std::vector<CupsForm> forms;
    const int mediaCount = details.MediaCount();
    for (int index = 0; index < mediaCount; ++index) {
        cups_size_t size{};
        if (!details.MediaAt(index, size) || !size.media[0])
            continue;
        // A size listed again (with other margins, say) is the same form.
        if (!HasForm(forms, size.media))
            forms.push_back(FormOf(details, size));
    }
    return forms;
}

// The media sources, in the server's order, named as the server names them.
std::vector<CupsBin> BinsOf(const DestDetails& details) {
    std::vector<CupsBin> bins;
    ipp_attribute_t* sources = details.Supported("media-source");
    if (!sources)
        return bins;
    const CupsLibrary& cups = details.cups;
    for (int k = 0; k < cups.ippGetCount(sources); ++k) {
        const char* keyword = cups.ippGetString(sources, k, nullptr);
        if (!keyword || !*keyword)
            continue;
        CupsBin bin;
        bin.keyword = keyword;
        bin.name = TextOr(details.ValueName("media-source", keyword), keyword);
        bins.push_back(std::move(bin));
    }
    return bins;
}

// True when one of the sides the destination supports is two-sided.
bool OffersTwoSided(const DestDetails& details) {
    ipp_attribute_t* sides = details.Supported("sides");
    if (!sides)
        return false;
    for (int k = 0; k < details.cups.ippGetCount(sides); ++k) {
        const char* value = details.cups.ippGetString(sides, k, nullptr);
        if (value && std::string(value).rfind("two-sided-", 0) == 0)
            return true;
    }
    return false;
}

// The default source; some printers name it only in media-col-default.
std::string DefaultSourceOf(const DestDetails& details) {
    std::string source = details.DefaultString("media-source");
    if (!source.empty())
        return source;
    const CupsLibrary& cups = details.cups;
    ipp_attribute_t* col = details.Default("media-col");
    if (ipp_t* media = col ? cups.ippGetCollection(col, 0) : nullptr)
        source = FirstString(cups, cups.ippFindAttribute(media, "media-source", IPP_TAG_ZERO));
    return source;
}

// The default paper and source into `out`.
void ReadDefaults(const DestDetails& details, CupsDestChoices& out) {
    out.mediaDefault = details.DefaultString("media");
    out.sourceDefault = DefaultSourceOf(details);
}

} // namespace

CupsDestChoices ChoicesOfDest(const CupsLibrary& cups, http_t* http, cups_dest_t* dest,
                              cups_dinfo_t* info) {
    const DestDetails details{cups, http, dest, info};
    CupsDestChoices out;
    out.forms = FormsOf(details);
    out.bins = BinsOf(details);
    out.duplex = OffersTwoSided(details);
    ReadDefaults(details, out);
    AssignCodes(out);
    return out;
}

} // namespace zl
