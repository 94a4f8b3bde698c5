#include "printing/CupsDestDetails.h"

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

} // namespace

CupsDestChoices ChoicesOfDest(const CupsLibrary& cups, http_t* http, cups_dest_t* dest,
                              cups_dinfo_t* info) {
    CupsDestChoices out;
    http_t* h = http;
    cups_dest_t* d = dest;
    cups_dinfo_t* i = info;
    const unsigned flags = CUPS_MEDIA_FLAGS_DEFAULT;
    const int mediaCount = cups.cupsGetDestMediaCount(h, d, i, flags);
    for (int index = 0; index < mediaCount; ++index) {
        cups_size_t size{};
        if (!cups.cupsGetDestMediaByIndex(h, d, i, index, flags, &size) || !size.media[0])
            continue;
        // A size listed again (with other margins, say) is the same form.
        const std::string pwgName = size.media;
        if (std::any_of(out.forms.begin(), out.forms.end(),
                        [&](const CupsForm& form) { return form.pwgName == pwgName; }))
            continue;
        CupsForm form;
        form.pwgName = pwgName;
        const std::string formName = PaperFormNameOf(PaperCodeOf(pwgName));
        form.name = !formName.empty()
                        ? formName
                        : TextOr(cups.cupsLocalizeDestMedia(h, d, i, flags, &size), pwgName);
        form.size = {Tenths(size.width), Tenths(size.length)};
        out.forms.push_back(std::move(form));
    }

    if (ipp_attribute_t* sources = cups.cupsFindDestSupported(h, d, i, "media-source")) {
        for (int k = 0; k < cups.ippGetCount(sources); ++k) {
            const char* keyword = cups.ippGetString(sources, k, nullptr);
            if (!keyword || !*keyword)
                continue;
            CupsBin bin;
            bin.keyword = keyword;
            bin.name =
                TextOr(cups.cupsLocalizeDestValue(h, d, i, "media-source", keyword), keyword);
            out.bins.push_back(std::move(bin));
        }
    }

    if (ipp_attribute_t* sides = cups.cupsFindDestSupported(h, d, i, "sides")) {
        for (int k = 0; k < cups.ippGetCount(sides) && !out.duplex; ++k) {
            const char* value = cups.ippGetString(sides, k, nullptr);
            out.duplex = value && std::string(value).rfind("two-sided-", 0) == 0;
        }
    }

    out.mediaDefault = FirstString(cups, cups.cupsFindDestDefault(h, d, i, "media"));
    if (!out.mediaDefault.empty()) {
        if (pwg_media_t* media = cups.pwgMediaForPWG(out.mediaDefault.c_str()))
            out.mediaDefaultSize = {Tenths(media->width), Tenths(media->length)};
    }
    out.sourceDefault = FirstString(cups, cups.cupsFindDestDefault(h, d, i, "media-source"));
    if (out.sourceDefault.empty()) {
        // Some printers name their default source only in media-col-default.
        ipp_attribute_t* col = cups.cupsFindDestDefault(h, d, i, "media-col");
        if (ipp_t* media = col ? cups.ippGetCollection(col, 0) : nullptr)
            out.sourceDefault =
                FirstString(cups, cups.ippFindAttribute(media, "media-source", IPP_TAG_ZERO));
    }
    out.sidesDefault = FirstString(cups, cups.cupsFindDestDefault(h, d, i, "sides"));
    ipp_attribute_t* quality = cups.cupsFindDestDefault(h, d, i, "print-quality");
    if (quality && cups.ippGetValueTag(quality) == IPP_TAG_ENUM)
        out.qualityDefault = cups.ippGetInteger(quality, 0);

    AssignCodes(out);
    return out;
}

} // namespace zl
