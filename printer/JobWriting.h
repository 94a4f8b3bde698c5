// One document written as one print job: the job opens only once the input
// is open, ends when everything is written, and is cancelled, nothing of it
// printed, when anything fails on the way.
#pragma once

#include "printer/RawPrintJob.h"

#include <functional>
#include <string>

namespace zl {

struct JobTarget {
    std::string printer;
    std::string documentName;
    DataType dataType = DataType::Raw;
};

// Writes the document into the job `write` is given. `write` calls its
// second argument once its input is open, before the first byte.
using DocumentWriter = std::function<void(ByteSink& job, const std::function<void()>& inputOpened)>;

// Runs `write` as one job on `target` through `job`, or raises.
void WriteAsJob(RawPrintJob& job, const JobTarget& target, const DocumentWriter& write);

} // namespace zl
