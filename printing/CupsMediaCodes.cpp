#include "printing/CupsMediaCodes.h"

#include "platform/Papers.h"

#include <algorithm>

namespace zl {

namespace {

struct NamedCode {
    const char* name;
    std::uint16_t code;
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

std::uint16_t BinCodeOf(const std::string& keyword) {
    return Find(kBins, keyword);
}

std::int32_t PclSourceOf(const std::string& keyword) {
    return Find(kPclSources, keyword);
}

void AssignCodes(CupsDestChoices& choices) {
    std::uint16_t next = kFirstPrivateCode;
    for (CupsForm& form : choices.forms) {
        const Paper* paper = PaperWithPwgName(form.pwgName);
        form.code = paper ? paper->windowsForm : next++;
        form.pclPaperSize = paper ? paper->pclPageSize : 0;
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
    if (!choices.mediaDefault.empty()) {
        auto form =
            std::find_if(choices.forms.begin(), choices.forms.end(),
                         [&](const CupsForm& f) { return f.pwgName == choices.mediaDefault; });
        if (form != choices.forms.end()) {
            settings.paper = form->code;
        } else {
            const Paper* paper = PaperWithPwgName(choices.mediaDefault);
            settings.paper = paper ? paper->windowsForm : kUserDefinedPaper;
        }
    }
    if (!choices.sourceDefault.empty()) {
        auto bin = std::find_if(choices.bins.begin(), choices.bins.end(), [&](const CupsBin& b) {
            return b.keyword == choices.sourceDefault;
        });
        settings.bin = bin != choices.bins.end() ? bin->code : BinCodeOf(choices.sourceDefault);
    }
    return settings;
}

PrinterCapabilities CapabilitiesOf(const CupsDestChoices& choices) {
    PrinterCapabilities capabilities;
    for (const CupsForm& form : choices.forms)
        capabilities.forms.push_back(
            {form.name, form.code, form.size, form.pclPaperSize, form.ppdName});
    for (const CupsBin& bin : choices.bins)
        capabilities.bins.push_back({bin.name, bin.code, bin.pclSource});
    capabilities.twoSided = choices.duplex;
    capabilities.defaults = DefaultSettingsOf(choices);
    return capabilities;
}

} // namespace zl
