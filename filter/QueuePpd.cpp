#include "filter/QueuePpd.h"

#include "platform/Papers.h"

#include <cups/ppd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

// libcups marks its PPD functions deprecated in favour of the IPP
// destination API; a filter reads its queue's PPD, which only they do.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace zl::filter {

namespace {

struct ClosePpd {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};

// The N of "<</MediaPosition N>>setpagedevice", the PCL paper source the
// tray's choice selects; 0 for none.
int MediaPosition(const char* code) {
    const char* at = code ? std::strstr(code, "/MediaPosition") : nullptr;
    return at ? std::atoi(at + std::strlen("/MediaPosition")) : 0;
}

} // namespace

QueueDescription ReadQueuePpd(const std::string& path) {
    QueueDescription queue;
    if (path.empty())
        return queue;
    const std::unique_ptr<ppd_file_t, ClosePpd> ppd(ppdOpenFile(path.c_str()));
    if (!ppd) {
        int line = 0;
        const ppd_status_t status = ppdLastError(&line);
        throw JobOptionError("the queue's PPD " + path + " cannot be read: " +
                             ppdErrorString(status) + " (line " + std::to_string(line) + ")");
    }
    for (ppd_option_t* option = ppdFirstOption(ppd.get()); option;
         option = ppdNextOption(ppd.get())) {
        if (std::strncmp(option->keyword, "zellist-", 8) == 0)
            queue.listingDefaults.emplace_back(option->keyword, option->defchoice);
    }
    if (const ppd_option_t* pageSize = ppdFindOption(ppd.get(), "PageSize"))
        queue.defaultPaper = RequestFor(PaperNamed(pageSize->defchoice));
    if (const ppd_option_t* slots = ppdFindOption(ppd.get(), "InputSlot")) {
        for (int c = 0; c < slots->num_choices; ++c) {
            const ppd_choice_t& choice = slots->choices[c];
            if (const int source = MediaPosition(choice.code))
                queue.trays.emplace_back(choice.choice, source);
        }
    }
    return queue;
}

} // namespace zl::filter
