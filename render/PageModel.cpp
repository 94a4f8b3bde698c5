#include "render/PageModel.h"

#include <cmath>

namespace zl::render {

namespace {

// The paper the interpreter draws on: one with a name.
bool Drawn(const Paper* paper) {
    return paper && *paper->name;
}

} // namespace

double CellWidth(double pitch) {
    return std::round(7200 / pitch) / 24;
}

PaperSize PaperSize::Of(const Paper& paper) {
    return PaperSize{paper.name, paper.width, paper.height};
}

PaperSize PaperSize::Letter() {
    return Of(*RequestedPaper(PaperRequest::Letter));
}

PaperSize PaperSize::A4() {
    return Of(*RequestedPaper(PaperRequest::A4));
}

PaperSize PaperSize::Legal() {
    return Of(*RequestedPaper(PaperRequest::Legal));
}

bool PaperSize::Named(const std::string& name, PaperSize& out) {
    const Paper* paper = PaperNamed(name);
    if (paper)
        out = Of(*paper);
    return paper != nullptr;
}

bool PaperSize::OfPclCode(int code, PaperSize& out) {
    const Paper* paper = PaperWithPclSize(code);
    if (!Drawn(paper))
        return false;
    out = Of(*paper);
    return true;
}

PaperRequest PaperOfSize(const PaperSize& paper) {
    return RequestFor(PaperNamed(paper.name));
}

} // namespace zl::render
