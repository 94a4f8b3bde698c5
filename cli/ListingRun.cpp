#include "cli/ListingRun.h"

#include "cli/StandardInput.h"
#include "engine/ListingText.h"
#include "platform/Interruption.h"
#include "platform/SystemText.h"
#include "printing/PrintFailure.h"

#include <chrono>
#include <filesystem>
#include <ostream>
#include <vector>

namespace zl::cli {

namespace {

// The name of input `file` in the messages, its control characters as '?'
// so that a name cannot send the terminal a command.
std::string ShownName(const CliSettings& settings, const std::string& file) {
    if (!IsStandardInput(file))
        return WithoutControlBytes(file);
    return WithoutControlBytes(settings.listing.title.empty() ? kStandardInputTitle
                                                              : settings.listing.title);
}

// The input `file` as its action receives it.
ListingOrder OrderOf(const CliSettings& settings, const std::string& file) {
    ListingOrder order{file, settings.listing};
    if (!IsStandardInput(file))
        order.path = Utf8OfPath(std::filesystem::absolute(PathOfUtf8(file)));
    else if (order.options.title.empty())
        order.options.title = kStandardInputTitle;
    return order;
}

// Says each listing done, and what did not print exactly.
class RunWords : public ListingRunObserver {
public:
    RunWords(const CliSettings& settings, std::ostream& err) : settings_(settings), err_(err) {}
    void Done(std::size_t index, const Listed& listed) override {
        const std::string name = ShownName(settings_, settings_.files[index]);
        if (!settings_.quiet)
            err_ << "zellist: " << name << ": " << listed.pages
                 << (listed.pages == 1 ? " page " : " pages ") << listed.destination << '\n';
        // Said also when quiet: something is missing or not as it was.
        for (const std::string& phrase :
             CountPhrases(listed.counts, settings_.listing.inputEncoding))
            err_ << "zellist: " << name << ": " << phrase << '\n';
    }

private:
    const CliSettings& settings_;
    std::ostream& err_;
};

} // namespace

std::string IntoOutput(const std::string& output) {
    return "into " + (output == "-" ? std::string("standard output") : output);
}

void WaitForRoomInFullQueues(PrintService& service, const CliSettings& settings,
                             std::ostream& err) {
    FullQueueWait wait;
    wait.limit = std::chrono::seconds(settings.queueWaitSeconds);
    wait.onWaiting = [&err](const std::string&) {
        err << "zellist: the print server's queue is full; waiting" << std::endl;
    };
    service.SetFullQueueWait(std::move(wait));
}

int RunListings(const CliSettings& settings, const ListingAction& listOne, std::ostream& err) {
    std::vector<ListingOrder> orders;
    for (const std::string& file : settings.files)
        orders.push_back(OrderOf(settings, file));
    RunWords words(settings, err);
    const ListingRunEnd end = zl::RunListings(orders, listOne, words);
    if (end.how == ListingRunEnd::How::Done)
        return 0;
    const std::string name = ShownName(settings, settings.files[end.stoppedAt]);
    int status = 1;
    if (end.how == ListingRunEnd::How::Interrupted) {
        err << "zellist: interrupted: " << name << " was not printed\n";
        status = 128 + end.signal;
    } else {
        try {
            std::rethrow_exception(end.failure);
        } catch (const PrintFailure& e) {
            err << "zellist: " << (e.OfThePrinter() ? "" : name + ": ") << ShownMessage(e.what())
                << '\n';
        } catch (const std::exception& e) {
            err << "zellist: " << name << ": " << ShownMessage(e.what()) << '\n';
        }
    }
    // After a stop in the middle of several files: what printed, and what not.
    const std::size_t count = settings.files.size();
    if (count > 1)
        err << "zellist: " << StoppedRunWords(end.listed, count, end.stoppedAt, end.place, name)
            << '\n';
    return status;
}

} // namespace zl::cli
