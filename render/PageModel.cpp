#include "render/PageModel.h"

#include <cmath>

namespace zl::render {

namespace {

// Sizes in 300-dpi dots, portrait.
struct KnownPaper {
    const char* name;
    double width;
    double height;
    int pclCode; // ESC &l#A
};

constexpr KnownPaper kPapers[] = {
    {"Letter", 2550, 3300, 2},    // 8.5 x 11 in
    {"A4", 2480, 3508, 26},       // 210 x 297 mm
    {"Legal", 2550, 4200, 3},     // 8.5 x 14 in
    {"Executive", 2175, 3150, 1}, // 7.25 x 10.5 in
    {"A5", 1748, 2480, 25},       // 148 x 210 mm
    {"B5", 2150, 3035, 45},       // JIS B5, 182 x 257 mm
};

PaperSize Make(const KnownPaper& paper) {
    return PaperSize{paper.name, paper.width, paper.height};
}

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

} // namespace

double CellWidth(double pitch) {
    return std::round(7200 / pitch) / 24;
}

PaperSize PaperSize::Letter() {
    return Make(kPapers[0]);
}

PaperSize PaperSize::A4() {
    return Make(kPapers[1]);
}

PaperSize PaperSize::Legal() {
    return Make(kPapers[2]);
}

bool PaperSize::Named(const std::string& name, PaperSize& out) {
    for (const KnownPaper& paper : kPapers) {
        if (SameName(name, paper.name)) {
            out = Make(paper);
            return true;
        }
    }
    return false;
}

bool PaperSize::OfPclCode(int code, PaperSize& out) {
    for (const KnownPaper& paper : kPapers) {
        if (paper.pclCode == code) {
            out = Make(paper);
            return true;
        }
    }
    return false;
}

PaperRequest PaperOfSize(const PaperSize& paper) {
    for (const KnownPaper& known : kPapers) {
        if (SameName(paper.name, known.name))
            return PaperOfPclSize(known.pclCode);
    }
    return PaperRequest::PrinterDefault;
}

} // namespace zl::render
