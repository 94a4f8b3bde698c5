#include "printer/JobWriting.h"

namespace zl {

void WriteAsJob(RawPrintJob& job, const JobTarget& target, const DocumentWriter& write) {
    bool started = false;
    try {
        write(job, [&] {
            job.StartJob(target.printer, target.documentName, target.dataType);
            started = true;
        });
        job.Finish();
    } catch (...) {
        // Nothing of a failed document prints, and the next one can open a
        // job of its own.
        if (started)
            job.AbortJob();
        throw;
    }
}

} // namespace zl
