#include "printing/CupsMediaCodes.h"

#include <algorithm>

namespace zl {

namespace {

struct NamedCode {
    const char* name;
    std::uint16_t code;
    const char* formName = nullptr; // what the form is called where it has a code
    std::int32_t pclPaperSize = 0;  // ESC & l # A
};

// PWG media size names, the codes Windows gives those forms and the PCL
// paper sizes.
constexpr NamedCode kPapers[] = {
    {"na_letter_8.5x11in", 1, "Letter", 2},
    {"na_legal_8.5x14in", 5, "Legal", 3},
    {"na_executive_7.25x10.5in", 7, "Executive", 1},
    {"iso_a3_297x420mm", 8, "A3", 27},
    {"iso_a4_210x297mm", 9, "A4", 26},
    {"iso_a5_148x210mm", 11, "A5", 25},
    {"jis_b5_182x257mm", 13, "B5 (JIS)", 45},
    {"na_number-10_4.125x9.5in", 20, "Envelope #10", 81},
    {"iso_dl_110x220mm", 27, "Envelope DL", 90},
};

// media-source keywords and the codes Windows gives those bins.
constexpr NamedCode kBins[] = {
    {"tray-1", 1},   {"tray-2", 2}, {"tray-3", 3},          {"manual", 4},
    {"envelope", 5}, {"auto", 7},   {"large-capacity", 11},
};

// media-source keywords and the PCL paper sources (ESC & l # H) they
// usually are.
constexpr NamedCode kPclSources[] = {
    {"auto", 7},     {"main", 1},           {"top", 1},          {"tray-1", 1},
    {"manual", 2},   {"bottom", 4},         {"alternate", 4},    {"tray-2", 4},
    {"envelope", 6}, {"large-capacity", 5}, {"by-pass-tray", 8},
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
constexpr int kIppDraft = 3;
constexpr int kIppNormal = 4;

} // namespace

std::uint16_t PaperCodeOf(const std::string& pwgName) {
    return Find(kPapers, pwgName);
}

std::uint16_t BinCodeOf(const std::string& keyword) {
    return Find(kBins, keyword);
}

std::int32_t PclPaperSizeOf(const std::string& pwgName) {
    for (const NamedCode& entry : kPapers) {
        if (pwgName == entry.name)
            return entry.pclPaperSize;
    }
    return 0;
}

std::int32_t PclSourceOf(const std::string& keyword) {
    return Find(kPclSources, keyword);
}

void AssignCodes(CupsDestChoices& choices) {
    std::uint16_t next = kFirstPrivateCode;
    for (CupsForm& form : choices.forms) {
        form.code = PaperCodeOf(form.pwgName);
        if (form.code == 0)
            form.code = next++;
        form.pclPaperSize = PclPaperSizeOf(form.pwgName);
    }
    next = kFirstPrivateCode;
    for (CupsBin& bin : choices.bins) {
        bin.code = BinCodeOf(bin.keyword);
        if (bin.code == 0)
            bin.code = next++;
        bin.pclSource = PclSourceOf(bin.keyword);
    }
}

DeviceSettings DefaultSettingsOf(const CupsDestChoices& choices) {
    DeviceSettings settings;
    settings.printQuality = choices.qualityDefault == kIppDraft    ? kDraftQuality
                            : choices.qualityDefault == kIppNormal ? kMediumQuality
                                                                   : kHighQuality;
    if (!choices.mediaDefault.empty()) {
        auto form =
            std::find_if(choices.forms.begin(), choices.forms.end(),
                         [&](const CupsForm& f) { return f.pwgName == choices.mediaDefault; });
        settings.paperSize = choices.mediaDefaultSize;
        if (form != choices.forms.end()) {
            settings.paper = form->code;
            settings.paperSize = form->size;
        } else {
            const std::uint16_t code = PaperCodeOf(choices.mediaDefault);
            settings.paper = code != 0 ? code : kUserDefinedPaper;
        }
    }
    if (!choices.sourceDefault.empty()) {
        auto bin = std::find_if(choices.bins.begin(), choices.bins.end(), [&](const CupsBin& b) {
            return b.keyword == choices.sourceDefault;
        });
        settings.bin = bin != choices.bins.end() ? bin->code : BinCodeOf(choices.sourceDefault);
    }
    if (choices.sidesDefault == "two-sided-long-edge")
        settings.duplex = DuplexMode::LongEdge;
    else if (choices.sidesDefault == "two-sided-short-edge")
        settings.duplex = DuplexMode::ShortEdge;
    return settings;
}

PrinterCapabilities CapabilitiesOf(const CupsDestChoices& choices) {
    PrinterCapabilities capabilities;
    for (const CupsForm& form : choices.forms)
        capabilities.forms.push_back({form.name, form.code, form.size, form.pclPaperSize});
    for (const CupsBin& bin : choices.bins)
        capabilities.bins.push_back({bin.name, bin.code, bin.pclSource});
    capabilities.twoSided = choices.duplex;
    capabilities.defaults = DefaultSettingsOf(choices);
    return capabilities;
}

} // namespace zl
