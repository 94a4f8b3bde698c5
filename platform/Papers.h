// The papers the program knows, in one table: what the command line and a
// drawn page call each, the codes PCL, IPP and Windows give it, and its
// size. Every part that names, asks for or draws on a paper looks it up
// here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zl {

struct Paper {
    // "Letter", "A4", "B5": what --paper takes (in any case) and what a
    // drawn page is called; empty for a paper only a printer's form list
    // shows, which is neither taken nor drawn.
    const char* name;
    // What a printer's form of this paper is called whatever the locale
    // ("B5 (JIS)"), so that a stored form name finds it on any printer.
    const char* formName;
    int pclPageSize;           // ESC & l # A
    double width;              // 300-dpi dots, portrait
    double height;             // 300-dpi dots, portrait
    const char* pwgName;       // the PWG media size name ("iso_a4_210x297mm")
    std::uint16_t windowsForm; // the code Windows gives the form (DMPAPER_A4 9)
};

// Every known paper; those with a name first, in the order the command
// line lists them.
const std::vector<Paper>& KnownPapers();

// The paper `name` names, in any case of its ASCII letters; null for none.
const Paper* PaperNamed(const std::string& name);
// The paper of a PCL page size code, PWG media size name or Windows form
// code; null for none.
const Paper* PaperWithPclSize(int pclPageSize);
const Paper* PaperWithPwgName(const std::string& pwgName);
const Paper* PaperWithWindowsForm(std::uint16_t windowsForm);

} // namespace zl
