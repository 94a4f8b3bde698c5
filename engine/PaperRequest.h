// The papers a PCL listing lays its page out for and may ask the printer
// for: those long enough for its page either way round.
#pragma once

#include "platform/Papers.h"

namespace zl {

// The paper the printer is asked to take; none asks nothing.
enum class PaperRequest { PrinterDefault, Letter, Legal, A4 };

// The paper `request` asks for; null for none.
const Paper* RequestedPaper(PaperRequest request);

// The request for `paper`; none for null and for a paper a PCL listing
// does not ask for.
PaperRequest RequestFor(const Paper* paper);

// The request for the paper of a PCL page size code; none for a code not
// among them.
inline PaperRequest PaperOfPclSize(int size) {
    return RequestFor(PaperWithPclSize(size));
}

} // namespace zl
