// The options of a listing, as values: the window fills them from its
// controls when a run starts, the command line from its flags.
#pragma once

#include "engine/PageSelection.h"
#include "engine/PaperRequest.h"

#include <string>

namespace zl {

// Printing on one or both sides of the sheet.
enum class Sides { PrinterDefault, OneSided, LongEdge, ShortEdge };

// What the listing asks of the printer besides its text, written into the
// listing's prologue only when given, so that a listing without them is the
// same stream as ever.
struct PrinterRequests {
    int copies = 0; // 1 to 999; 0: the printer's own
    Sides sides = Sides::PrinterDefault;
    PaperRequest paper = PaperRequest::PrinterDefault;
    int paperSource = 0; // the PCL paper source, 1 to 69; 0: the printer's own

    bool operator==(const PrinterRequests& other) const {
        return copies == other.copies && sides == other.sides && paper == other.paper &&
               paperSource == other.paperSource;
    }
};

struct ListingOptions {
    bool landscape = false;
    bool linePrinter = false; // the Line Printer face, else Courier
    bool roman8 = false;      // the Roman-8 symbol set, else IBM PC-8
    bool compressed = true;   // 16.67 characters per inch, else 10
    bool sixLpi = false;      // 6 lines per inch, else 8
    // Greenbar band height in text lines as given; the listing brings it
    // into 1 to 6.
    int barHeight = 2;
    bool printBars = true; // false: no greenbar overlay at all
    // The distance of the source's tab stops, 1 to 16; 0: a TAB is a control
    // character like the others.
    int tabSize = 8;
    // How the file's characters are read: "auto" (UTF-8 sequences are
    // characters, other bytes as they are), "raw" (every byte as it is), or
    // the name of a character set the system's converter knows.
    std::string inputEncoding = "auto";
    // True: control characters without a role in the listing (ESC among
    // them) are printed in caret notation ("^["), so no printer command
    // hidden in a file runs. False: they go to the printer as they are.
    bool showControlChars = true;
    // What the page header names. Empty: the file's name, its path
    // shortened; else this text as it is (its control characters as "?"),
    // cut before the date like a long name.
    std::string title;
    // The printer's other symbol sets that characters the listing's own set
    // lacks print from, as PCL IDs: "19U,9E,5N"; "none"; empty: the other of
    // PC-8 and Roman-8, then 19U, 9E, 5N.
    std::string symbolSets;
    // Characters none of the sets has print from a font the listing
    // downloads, drawn from the system's monospace face; else as '?'.
    bool downloadFont = true;
    // Keywords and types printed bold, comments italic (underlined and
    // overstruck in the Line Printer face): "none", "auto" (the language of
    // the file's name or its "#!" line) or a language's name.
    std::string emphasis = "none";
    PrinterRequests requests;
    // The paper the page is laid out for when the listing asks for none:
    // the printer's default paper, or the locale's for a file. Unknown
    // (PrinterDefault): Letter's widths, which Legal shares.
    PaperRequest pagePaper = PaperRequest::PrinterDefault;
    // The pages written, each as in the whole listing; the rest are left out.
    PageSelection pages;
};

} // namespace zl
