// What a CUPS destination offers (paper forms, media sources, sides, print
// quality) turned into the program's terms: the codes Windows gives paper
// forms and bins where a PWG name has one, numbers from 257 on for the rest,
// and the default settings. Nothing here talks to CUPS.
#pragma once

#include "printing/DeviceSettings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zl {

// The first code given to a form or bin that has no Windows code.
constexpr std::uint16_t kFirstPrivateCode = 257;

// The bin code of a media-source keyword ("tray-1"), 0 when there is none.
std::uint16_t BinCodeOf(const std::string& keyword);
// The PCL paper source (ESC & l # H) usually meant by a media-source
// keyword, 0 for one without: "auto" 7, "main" 1, "manual" 2, "envelope" 6,
// "large-capacity" 5, "by-pass-tray" 8 (the multipurpose tray), and the
// upper and lower tray of a printer with two, "top" and "tray-1" 1,
// "bottom", "alternate" and "tray-2" 4.
std::int32_t PclSourceOf(const std::string& keyword);

struct CupsForm {
    std::string pwgName;
    std::string name;    // as shown to the user
    std::string ppdName; // what the queue's PPD calls it ("US Letter"); empty: none
    PaperDimensions size;
    std::uint16_t code = 0;
    std::int32_t pclPaperSize = 0;
};

struct CupsBin {
    std::string keyword;
    std::string name; // as shown to the user
    std::uint16_t code = 0;
    std::int32_t pclSource = 0;
    std::string inputSlot; // the PPD's InputSlot choice for it; empty: none known
};

// What one destination offers, in its order, and its defaults.
struct CupsDestChoices {
    std::vector<CupsForm> forms;
    std::vector<CupsBin> bins;
    bool duplex = false;
    std::string mediaDefault;  // a PWG name, empty when none
    std::string sourceDefault; // a media-source keyword, empty when none
};

// Gives every form and bin its code: the one Windows knows it by where there
// is one, else 257, 258, ... in order of appearance (forms and bins counted apart);
// and its usual PCL number.
// Every answer about a destination takes its codes from here, so that the
// paper list and the default settings agree.
void AssignCodes(CupsDestChoices& choices);

// The destination's default settings; `choices` must have its codes.
DeviceSettings DefaultSettingsOf(const CupsDestChoices& choices);
// The forms, bins, two-sided printing and defaults of `choices`, which must
// have its codes.
PrinterCapabilities CapabilitiesOf(const CupsDestChoices& choices);

} // namespace zl
