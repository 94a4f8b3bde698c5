#include "cli/ListingRun.h"

#include "cli/StandardInput.h"
#include "engine/ListingText.h"
#include "platform/Interruption.h"
#include "platform/SystemText.h"

#include <chrono>
#include <filesystem>
#include <ostream>

namespace zl::cli {

namespace {

// The input `file` as its action receives it.
Listing ListingOf(const CliSettings& settings, const std::string& file, std::size_t index) {
    Listing listing{file, index, settings.listing};
    if (!IsStandardInput(file))
        listing.path = Utf8OfPath(std::filesystem::absolute(PathOfUtf8(file)));
    else if (listing.options.title.empty())
        listing.options.title = kStandardInputTitle;
    return listing;
}

// The name of input `file` in the messages, its control characters as '?'
// so that a name cannot send the terminal a command.
std::string ShownName(const CliSettings& settings, const std::string& file) {
    if (!IsStandardInput(file))
        return WithoutControlBytes(file);
    return WithoutControlBytes(settings.listing.title.empty() ? kStandardInputTitle
                                                              : settings.listing.title);
}

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
    std::size_t printed = 0;
    std::string place;
    // After a stop in the middle of several files: what printed, and what not.
    const auto sayWhatPrinted = [&](std::size_t stoppedAt) {
        const std::size_t count = settings.files.size();
        if (count < 2)
            return;
        err << "zellist: " << printed << " of " << count << " files printed"
            << (place.empty() ? "" : " " + place)
            << "; not printed: " << ShownName(settings, settings.files[stoppedAt]);
        if (const std::size_t more = count - stoppedAt - 1; more > 0)
            err << " and " << more << " more";
        err << '\n';
    };
    for (std::size_t i = 0; i < settings.files.size(); ++i) {
        const std::string name = ShownName(settings, settings.files[i]);
        try {
            ThrowIfStopped(); // a signal between two listings stops the run as well
            const Listed listed = listOne(ListingOf(settings, settings.files[i], i));
            ++printed;
            place = listed.place;
            if (!settings.quiet)
                err << "zellist: " << name << ": " << listed.pages
                    << (listed.pages == 1 ? " page " : " pages ") << listed.destination << '\n';
            // Said also when quiet: something is missing or not as it was.
            for (const std::string& phrase :
                 CountPhrases(listed.counts, settings.listing.inputEncoding))
                err << "zellist: " << name << ": " << phrase << '\n';
        } catch (const Interrupted& stop) {
            err << "zellist: interrupted: " << name << " was not printed\n";
            sayWhatPrinted(i);
            return 128 + stop.Signal();
        } catch (const PrintFailure& e) {
            err << "zellist: " << (e.OfThePrinter() ? "" : name + ": ") << ShownMessage(e.what())
                << '\n';
            sayWhatPrinted(i);
            return 1;
        } catch (const std::exception& e) {
            err << "zellist: " << name << ": " << ShownMessage(e.what()) << '\n';
            sayWhatPrinted(i);
            return 1;
        }
    }
    return 0;
}

} // namespace zl::cli
