// zellist: prints text files as greenbar listings from the command line.
#include "cli/CommandLine.h"
#include "cli/ZelListCli.h"
#include "platform/OutputFileSpooler.h"
#include "platform/SystemSpooler.h"

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

// The listing date: SOURCE_DATE_EPOCH when set, so output can be reproduced.
std::unique_ptr<zl::Clock> ListingClock() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (!epoch || !*epoch)
        return std::make_unique<zl::SystemClock>();
    errno = 0;
    char* end = nullptr;
    long long seconds = std::strtoll(epoch, &end, 10);
    if (*end != '\0' || errno == ERANGE || seconds < 0)
        throw zl::cli::UsageError("SOURCE_DATE_EPOCH: '" + std::string(epoch) +
                                  "' is not a number of seconds");
    return std::make_unique<zl::FixedClock>(zl::LocalTimeAt(seconds));
}

} // namespace

int main(int argc, char** argv) {
    using zl::cli::CliSettings;
    try {
        const CliSettings settings =
            zl::cli::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (settings.action == CliSettings::Action::Help) {
            std::cout << zl::cli::kUsage;
            return 0;
        }
        if (settings.action == CliSettings::Action::Version) {
            std::cout << "zellist " ZELLIST_VERSION "\n";
            return 0;
        }
        std::unique_ptr<zl::Clock> clock = ListingClock();
        std::unique_ptr<zl::OutputFileSpooler> file;
        if (settings.output)
            file = std::make_unique<zl::OutputFileSpooler>(*settings.output);
        zl::Spooler& spooler = file ? static_cast<zl::Spooler&>(*file) : zl::ProcessSpooler();
        return zl::cli::RunZelList(settings, spooler, *clock, zl::SystemLocaleNames(), std::cout,
                                   std::cerr);
    } catch (const zl::cli::UsageError& e) {
        std::cerr << "zellist: " << e.what() << "\nTry 'zellist --help' for more.\n";
        return 2;
    }
}
