#include "printer/PagePaper.h"

namespace zl {

PaperRequest DefaultPaperOf(const PrinterCapabilities& printer) {
    for (const PaperForm& form : printer.forms) {
        if (form.code != 0 && form.code == printer.defaults.paper)
            return PaperOfPclSize(form.pclPaperSize);
    }
    return PaperRequest::PrinterDefault;
}

} // namespace zl
