// The PCL commands a queue's PPD gives its paper sources and sizes: a PCL
// printer's PPD carries them as the code of each choice, such as
// *InputSlot Lower/Lower Tray: "<1B>&l4H" and *PageSize A4/A4: "<1B>&l26A".
// With them a raw PCL job asks for a tray or paper by the printer's own
// numbers. Nothing here talks to CUPS.
#pragma once

#include "printing/CupsMediaCodes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zl {

// A choice of a PPD option and the number of the PCL command its code
// holds (the N of ESC & l N H for an input slot, of ESC & l N A for a page
// size); 0 when its code holds none.
struct PpdChoiceCode {
    std::string choice;
    std::string text; // its translation string, what users read ("Manual Feed"); empty: none
    std::int32_t pclNumber = 0;
};

struct PpdPclCodes {
    std::vector<PpdChoiceCode> inputSlots; // every *InputSlot choice, in order
    std::vector<PpdChoiceCode> pageSizes;  // every *PageSize choice, in order
};

// The InputSlot and PageSize choices of the PPD text `ppd`.
PpdPclCodes ReadPpdPclCodes(const std::string& ppd);

// The media-source keyword CUPS turns the InputSlot choice `choice` into:
// "Lower" is "bottom", "Tray1" is "tray-1", "Manual" is "manual".
std::string MediaSourceOfInputSlot(const std::string& choice);

// The PWG media size name of a PPD page size name ("A4" is
// "iso_a4_210x297mm"); empty when there is none.
using PwgNameOfPageSize = std::function<std::string(const std::string& pageSize)>;

// Gives the forms and bins of `choices` the PCL numbers the PPD's codes
// hold, in place of the usual ones, and each bin the PPD's InputSlot choice
// that selects it.
void ApplyPpdCodes(const PpdPclCodes& codes, const PwgNameOfPageSize& pwgNameOf,
                   CupsDestChoices& choices);

} // namespace zl
