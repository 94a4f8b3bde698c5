#include "cli/ListingRun.h"

#include "platform/Interruption.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>

namespace zl::cli {
namespace {

// The second of three files fails in each way a listing can; the run stops
// there and tells it with the name as given, or without it for a printer's
// failure. A stop signal that comes while the first file is listed, without
// failing it, stops the run before the second.
TEST(ListingRun, TheFirstFailureEndsTheRunAndIsToldAsItsKindSays) {
    struct Case {
        const char* what;
        std::function<void(std::size_t index)> list; // what listing file `index` does
        int status;
        std::string told;
        std::size_t listed;
    };
    const auto failSecond = [](auto failure) {
        return [failure](std::size_t index) {
            if (index == 1)
                throw failure;
        };
    };
    const std::vector<Case> cases = {
        {"all listed", [](std::size_t) {}, 0, "", 3},
        {"the file's failure", failSecond(Exception("File not found")), 1,
         "zellist: b.txt: File not found.\n", 2},
        {"the printer's failure",
         failSecond(PrinterFailure("cannot print on 'x' through its driver: gone")), 1,
         "zellist: cannot print on 'x' through its driver: gone.\n", 2},
        {"interrupted", failSecond(Interrupted(SIGINT)), 130,
         "zellist: interrupted: b.txt was not printed\n", 2},
        {"stopped between two files",
         [](std::size_t index) {
             if (index == 0)
                 RequestStop(SIGTERM);
         },
         128 + SIGTERM, "zellist: interrupted: b.txt was not printed\n", 1},
    };
    CliSettings settings;
    settings.files = {"a.txt", "b.txt", "c.txt"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> paths;
        std::ostringstream err;
        const int status = RunListings(
            settings,
            [&](const Listing& listing) {
                paths.push_back(listing.path);
                EXPECT_EQ(listing.index + 1, paths.size());
                c.list(listing.index);
            },
            err);
        ClearStopRequest();
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(err.str(), c.told);
        ASSERT_EQ(paths.size(), c.listed);
        EXPECT_EQ(paths[0], std::filesystem::absolute("a.txt").string());
    }
}

} // namespace
} // namespace zl::cli
