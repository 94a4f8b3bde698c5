// zellist-cups: the CUPS filter that prints a text job as a greenbar
// listing. CUPS runs it as "zellist-cups job user title copies options
// [file]"; it reads the text from the file or standard input and writes the
// listing's PCL on standard output, saying what it does in lines on
// standard error (ERROR:, INFO:, PAGE:). It never talks to the printer.
#include "engine/FileInputSource.h"
#include "engine/ListingComposer.h"
#include "filter/JobOptions.h"
#include "filter/QueuePpd.h"
#include "filter/StandardOutputSink.h"
#include "platform/Clock.h"
#include "platform/LocaleNames.h"

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

namespace {

// The copies argument: a number from 1; 0 for anything else.
int Copies(const std::string& text) {
    char* end = nullptr;
    const long copies = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && copies >= 1 && copies <= 100000
               ? static_cast<int>(copies)
               : 0;
}

// The name the header shows: the job's title, else the job's number.
std::string HeaderTitle(const std::string& title, const std::string& job) {
    return title.empty() ? "Job " + job : title;
}

// Lists the job; the exit status.
int ListJob(int argc, char** argv, int copies) {
    const char* ppd = std::getenv("PPD");
    const std::string jobOptions = argv[5];
    const zl::ListingOptions options =
        zl::filter::JobListingOptions(jobOptions, copies, zl::filter::ReadQueuePpd(ppd ? ppd : ""),
                                      HeaderTitle(argv[3], argv[1]));
    const zl::FixedClock clock(
        zl::LocalTimeAt(zl::filter::JobTime(jobOptions, std::time(nullptr))));
    const zl::LocaleNames names = zl::SystemLocaleNames();
    const bool fromFile = argc == 7;
    zl::ListingComposer composer(options, clock, names, [fromFile](const std::string& path) {
        return fromFile ? zl::FileInputSource::Open(path)
                        : zl::FileInputSource::OpenStandardInput();
    });
    // Each page written, with the copies the printer makes of it, for CUPS's
    // page accounting.
    const int pageCopies = options.requests.copies > 0 ? options.requests.copies : 1;
    composer.OnPageStart([&options, pageCopies](std::int32_t page) {
        if (options.pages.Contains(page))
            std::cerr << "PAGE: " << page << ' ' << pageCopies << '\n';
    });
    zl::filter::StandardOutputSink out;
    composer.Compose(fromFile ? argv[6] : "-", out);
    for (const std::string& phrase : zl::CountPhrases(composer.Counts(), options.inputEncoding))
        std::cerr << "INFO: " << phrase << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 6 || argc > 7) {
        std::cerr << "Usage: " << (argc > 0 ? argv[0] : "zellist-cups")
                  << " job user title copies options [file]\n";
        return 1;
    }
    const int copies = Copies(argv[4]);
    if (copies == 0) {
        std::cerr << "ERROR: copies=" << argv[4] << ": not a number of copies\n";
        return 1;
    }
    try {
        return ListJob(argc, argv, copies);
    } catch (const std::exception& e) {
        std::cerr << "ERROR: " << e.what() << '\n';
        return 1;
    }
}
