#include "printer/PrintRun.h"

#include "engine/ListingText.h"
#include "platform/Interruption.h"

namespace zl {

void RunPrint(const FileListView& list, PrintRunHost& host) {
    const int count = list.Count();
    if (count == 0) {
        host.ShowMessage(kNoFilesMessage);
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (!list.Ticked(i))
            continue;
        ThrowIfStopped(); // a signal between two listings stops the run as well
        const std::string path = list.Text(i);
        host.SetStatus("Printing " + FileNamePart(path));
        try {
            host.PrintListing(path);
        } catch (...) {
            host.SetStatus("");
            throw;
        }
        host.SetStatus("");
    }
}

} // namespace zl
