// The page options a listing reads while it is composed. The GUI answers
// from its controls each time it is asked, the command line from its flags.
#pragma once

#include <string>

namespace zl {

class ListingOptions {
public:
    virtual ~ListingOptions() = default;
    virtual bool Landscape() const = 0;
    virtual bool LinePrinter() const = 0; // the Line Printer face, else Courier
    virtual bool NoIbm() const = 0;       // Roman-8, else the IBM PC-8 symbol set
    virtual bool Compressed() const = 0;
    // Greenbar band height in text lines as the control holds it; the
    // listing brings it into 1 to 6.
    virtual int BarHeight() const = 0;
    // False: no greenbar overlay at all.
    virtual bool PrintBars() const { return true; }
    // The distance of the source's tab stops, 1 to 16; 0: a TAB is a control
    // character like the others.
    virtual int TabSize() const { return 8; }
    // How the file's characters are read: "auto" (UTF-8 sequences are
    // characters, other bytes as they are), "raw" (every byte as it is), or
    // the name of a character set the system's converter knows.
    virtual std::string InputEncoding() const { return "auto"; }
    // True: control characters without a role in the listing (ESC among
    // them) are printed in caret notation ("^["), so no printer command
    // hidden in a file runs. False: they go to the printer as they are.
    virtual bool ShowControlChars() const { return true; }
};

} // namespace zl
