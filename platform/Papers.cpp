#include "platform/Papers.h"

namespace zl {

namespace {

// ASCII only, whatever the locale.
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

template <typename Matches> const Paper* FindPaper(Matches matches) {
    for (const Paper& paper : KnownPapers()) {
        if (matches(paper))
            return &paper;
    }
    return nullptr;
}

} // namespace

const std::vector<Paper>& KnownPapers() {
    // name, form name, PCL page size, width and height in 300-dpi dots, PWG
    // name, Windows form code
    static const std::vector<Paper> kPapers = {
        {"Letter", "Letter", 2, 2550, 3300, "na_letter_8.5x11in", 1},
        {"A4", "A4", 26, 2480, 3508, "iso_a4_210x297mm", 9},
        {"Legal", "Legal", 3, 2550, 4200, "na_legal_8.5x14in", 5},
        {"Executive", "Executive", 1, 2175, 3150, "na_executive_7.25x10.5in", 7},
        {"A5", "A5", 25, 1748, 2480, "iso_a5_148x210mm", 11},
        {"B5", "B5 (JIS)", 45, 2150, 3035, "jis_b5_182x257mm", 13},
        {"", "A3", 27, 3508, 4961, "iso_a3_297x420mm", 8},
        {"", "Envelope #10", 81, 1237.5, 2850, "na_number-10_4.125x9.5in", 20},
        {"", "Envelope DL", 90, 1299, 2598, "iso_dl_110x220mm", 27},
    };
    return kPapers;
}

const Paper* PaperNamed(const std::string& name) {
    return FindPaper([&](const Paper& paper) { return *paper.name && SameName(name, paper.name); });
}

const Paper* PaperWithPclSize(int pclPageSize) {
    return FindPaper([&](const Paper& paper) { return paper.pclPageSize == pclPageSize; });
}

const Paper* PaperWithPwgName(const std::string& pwgName) {
    return FindPaper([&](const Paper& paper) { return pwgName == paper.pwgName; });
}

const Paper* PaperWithWindowsForm(std::uint16_t windowsForm) {
    return FindPaper([&](const Paper& paper) { return paper.windowsForm == windowsForm; });
}

} // namespace zl
