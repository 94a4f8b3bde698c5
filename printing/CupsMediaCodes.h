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

// The paper code of a PWG media size name ("iso_a4_210x297mm"), 0 when
// there is none.
std::uint16_t PaperCodeOf(const std::string& pwgName);
// The name of the form with paper code `code` ("Legal"), empty for codes
// without one. Forms that have a code go by these names whatever the
// locale, so that a stored "Legal" finds the legal form on any printer.
std::string PaperFormNameOf(std::uint16_t code);
// The bin code of a media-source keyword ("tray-1"), 0 when there is none.
std::uint16_t BinCodeOf(const std::string& keyword);

struct CupsForm {
    std::string pwgName;
    std::string name; // as shown to the user
    PaperDimensions size;
    std::uint16_t code = 0;
};

struct CupsBin {
    std::string keyword;
    std::string name; // as shown to the user
    std::uint16_t code = 0;
};

// What one destination offers, in its order, and its defaults.
struct CupsDestChoices {
    std::vector<CupsForm> forms;
    std::vector<CupsBin> bins;
    bool duplex = false;
    std::string mediaDefault;         // a PWG name, empty when none
    PaperDimensions mediaDefaultSize; // for a default that is not among the forms
    std::string sourceDefault;        // a media-source keyword, empty when none
    std::string sidesDefault;         // "one-sided", "two-sided-long-edge", ...
    int qualityDefault = 0;           // the IPP print-quality enum, 0 when none
};

// Gives every form and bin its code: the one Windows knows it by where there
// is one, else 257, 258, ... in order of appearance (forms and bins counted apart).
// Every answer about a destination takes its codes from here, so that the
// paper list and the default settings agree.
void AssignCodes(CupsDestChoices& choices);

// The destination's default settings; `choices` must have its codes.
DeviceSettings DefaultSettingsOf(const CupsDestChoices& choices);
// The forms, bins, two-sided printing and defaults of `choices`, which must
// have its codes.
PrinterCapabilities CapabilitiesOf(const CupsDestChoices& choices);

} // namespace zl
