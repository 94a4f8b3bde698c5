#include "cli/ListingRun.h"

#include "platform/Interruption.h"

#include <filesystem>
#include <ostream>

namespace zl::cli {

int RunListings(const CliSettings& settings, const ListingAction& listOne, std::ostream& err) {
    for (std::size_t i = 0; i < settings.files.size(); ++i) {
        const std::string& given = settings.files[i];
        try {
            ThrowIfStopped(); // a signal between two listings stops the run as well
            listOne(Listing{std::filesystem::absolute(given).string(), i, settings.listing});
        } catch (const Interrupted& stop) {
            err << "zellist: interrupted: " << given << " was not printed\n";
            return 128 + stop.Signal();
        } catch (const PrinterFailure& e) {
            err << "zellist: " << ShownMessage(e.what()) << '\n';
            return 1;
        } catch (const std::exception& e) {
            err << "zellist: " << given << ": " << ShownMessage(e.what()) << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace zl::cli
