#include "engine/PaperRequest.h"

namespace zl {

const Paper* RequestedPaper(PaperRequest request) {
    switch (request) {
    case PaperRequest::Letter:
        return PaperNamed("Letter");
    case PaperRequest::Legal:
        return PaperNamed("Legal");
    case PaperRequest::A4:
        return PaperNamed("A4");
    case PaperRequest::PrinterDefault:
        break;
    }
    return nullptr;
}

PaperRequest RequestFor(const Paper* paper) {
    for (const PaperRequest request : {PaperRequest::Letter, PaperRequest::Legal, PaperRequest::A4})
        if (paper && paper == RequestedPaper(request))
            return request;
    return PaperRequest::PrinterDefault;
}

} // namespace zl
