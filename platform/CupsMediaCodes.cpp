#include "platform/CupsMediaCodes.h"

#include <algorithm>

namespace zl {

namespace {

struct NamedCode {
    const char* name;
    std::uint16_t code;
    const char* formName = nullptr; // what the form is called where it has a code
};

// PWG media size names and their DMPAPER_* codes.
constexpr NamedCode kPapers[] = {
    {"na_letter_8.5x11in", 1, "Letter"},
    {"na_legal_8.5x14in", 5, "Legal"},
    {"na_executive_7.25x10.5in", 7, "Executive"},
    {"iso_a3_297x420mm", 8, "A3"},
    {"iso_a4_210x297mm", 9, "A4"},
    {"iso_a5_148x210mm", 11, "A5"},
    {"jis_b5_182x257mm", 13, "B5 (JIS)"},
    {"na_number-10_4.125x9.5in", 20, "Envelope #10"},
    {"iso_dl_110x220mm", 27, "Envelope DL"},
};

// media-source keywords and their DMBIN_* codes.
constexpr NamedCode kBins[] = {
    {"tray-1", 1},          // DMBIN_UPPER
    {"tray-2", 2},          // DMBIN_LOWER
    {"tray-3", 3},          // DMBIN_MIDDLE
    {"manual", 4},          // DMBIN_MANUAL
    {"envelope", 5},        // DMBIN_ENVELOPE
    {"auto", 7},            // DMBIN_AUTO
    {"large-capacity", 11}, // DMBIN_LARGECAPACITY
};

template <std::size_t N> std::uint16_t Find(const NamedCode (&table)[N], const std::string& name) {
    for (const NamedCode& entry : table) {
        if (name == entry.name)
            return entry.code;
    }
    return 0;
}

} // namespace

std::string PaperFormNameOf(std::uint16_t code) {
    for (const NamedCode& entry : kPapers) {
        if (entry.code == code)
            return entry.formName;
    }
    return {};
}

namespace {

// IPP print-quality values.
constexpr int kQualityDraft = 3;
constexpr int kQualityNormal = 4;

// dmPrintQuality resolutions.
constexpr std::int16_t kDmResDraft = -1;
constexpr std::int16_t kDmResMedium = -3;
constexpr std::int16_t kDmResHigh = -4;

std::int16_t Clamp16(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, 0, 32767));
}

} // namespace

std::uint16_t PaperCodeOf(const std::string& pwgName) {
    return Find(kPapers, pwgName);
}

std::uint16_t BinCodeOf(const std::string& keyword) {
    return Find(kBins, keyword);
}

void AssignCodes(CupsDestChoices& choices) {
    std::uint16_t next = kFirstPrivateCode;
    for (CupsForm& form : choices.forms) {
        form.code = PaperCodeOf(form.pwgName);
        if (form.code == 0)
            form.code = next++;
    }
    next = kFirstPrivateCode;
    for (CupsBin& bin : choices.bins) {
        bin.code = BinCodeOf(bin.keyword);
        if (bin.code == 0)
            bin.code = next++;
    }
}

DeviceMode DefaultDeviceModeOf(const CupsDestChoices& choices, const std::string& deviceName) {
    DeviceMode mode;
    mode.dmDeviceName = deviceName;
    mode.dmOrientation = DMORIENT_PORTRAIT;
    mode.dmCopies = 1;
    mode.dmPrintQuality = choices.qualityDefault == kQualityDraft    ? kDmResDraft
                          : choices.qualityDefault == kQualityNormal ? kDmResMedium
                                                                     : kDmResHigh;
    mode.dmFields = DM_ORIENTATION | DM_COPIES | DM_PRINTQUALITY;

    if (!choices.mediaDefault.empty()) {
        auto form =
            std::find_if(choices.forms.begin(), choices.forms.end(),
                         [&](const CupsForm& f) { return f.pwgName == choices.mediaDefault; });
        PaperDimensions size = choices.mediaDefaultSize;
        if (form != choices.forms.end()) {
            mode.dmPaperSize = static_cast<std::int16_t>(form->code);
            size = form->size;
        } else {
            std::uint16_t code = PaperCodeOf(choices.mediaDefault);
            mode.dmPaperSize = code != 0 ? static_cast<std::int16_t>(code) : DMPAPER_USER;
        }
        mode.dmFields |= DM_PAPERSIZE;
        if (size.width > 0 && size.length > 0) {
            mode.dmPaperWidth = Clamp16(size.width);
            mode.dmPaperLength = Clamp16(size.length);
            mode.dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
        }
    }

    if (!choices.sourceDefault.empty()) {
        auto bin = std::find_if(choices.bins.begin(), choices.bins.end(), [&](const CupsBin& b) {
            return b.keyword == choices.sourceDefault;
        });
        std::uint16_t code =
            bin != choices.bins.end() ? bin->code : BinCodeOf(choices.sourceDefault);
        if (code != 0) {
            mode.dmDefaultSource = static_cast<std::int16_t>(code);
            mode.dmFields |= DM_DEFAULTSOURCE;
        }
    }

    std::int16_t duplex = choices.sidesDefault == "one-sided"              ? DMDUP_SIMPLEX
                          : choices.sidesDefault == "two-sided-long-edge"  ? DMDUP_VERTICAL
                          : choices.sidesDefault == "two-sided-short-edge" ? DMDUP_HORIZONTAL
                                                                           : 0;
    if (duplex != 0) {
        mode.dmDuplex = duplex;
        mode.dmFields |= DM_DUPLEX;
    }
    return mode;
}

} // namespace zl
