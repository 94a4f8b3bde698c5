// What a printer offers (paper forms, bins, printing on both sides) and the
// form and bin it takes by default, as plain values.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zl {

enum class DuplexMode { Simplex = 0, LongEdge = 1, ShortEdge = 2 };

// A size in tenths of a millimetre.
struct PaperDimensions {
    std::int32_t width = 0;
    std::int32_t length = 0;
};

// The code of the paper form whose size the user gives.
constexpr std::uint16_t kUserDefinedPaper = 256;

// Codes are the printer's own; forms and bins that Windows knows by a code
// have that one, so that the same paper has the same code on any printer.
// The PCL numbers are what a PCL job asks for them with (ESC & l # A for a
// paper size, ESC & l # H for a paper source): the printer's own where its
// driver description gives them, else the usual ones; 0 where none is known.
struct PaperForm {
    std::string name; // the same for the paper on every printer ("Letter")
    std::uint16_t code = 0;
    PaperDimensions size;
    std::int32_t pclPaperSize = 0;
    std::string shownName = {}; // what the printer's own description calls it; empty: `name`
};

struct PaperBin {
    std::string name;
    std::uint16_t code = 0;
    std::int32_t pclSource = 0;
};

struct DeviceSettings {
    std::uint16_t paper = 0; // a form's code; 0 names none
    std::uint16_t bin = 0;   // a bin's code; 0 names none
};

struct PrinterCapabilities {
    std::vector<PaperForm> forms; // in the printer's order
    std::vector<PaperBin> bins;   // in the printer's order
    bool twoSided = false;
    DeviceSettings defaults;
};

} // namespace zl
