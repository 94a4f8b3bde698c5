#include "printer/PagePaper.h"

namespace zl {

PaperRequest DefaultPaperOf(const PrinterCapabilities& printer) {
    for (const PaperForm& form : printer.forms) {
        if (form.code == 0 || form.code != printer.defaults.paper)
            continue;
        for (const PaperRequest paper :
             {PaperRequest::Letter, PaperRequest::Legal, PaperRequest::A4}) {
            if (form.pclPaperSize == PclPaperSize(paper))
                return paper;
        }
    }
    return PaperRequest::PrinterDefault;
}

} // namespace zl
