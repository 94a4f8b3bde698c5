#include "cli/ListingRun.h"

#include "platform/Interruption.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>

namespace zl::cli {
namespace {

// The second of three files, standard input, fails in each way a listing
// can; the run stops there and tells it with the name as given (standard
// input's title, else "(standard input)"), or without it for a printer's
// failure. A stop signal that comes while the first file is listed, without
// failing it, stops the run before the second. Each listing done is told
// with its pages and destination, unless quiet; a run that stops early then
// says how many printed where, and which did not.
TEST(ListingRun, TheFirstFailureEndsTheRunAndIsToldAsItsKindSays) {
    struct Case {
        const char* what;
        std::function<void(std::size_t index)> list; // what listing file `index` does
        int status;
        std::string told;
        std::size_t listed;
        std::string title;
        bool quiet;
    };
    const auto failSecond = [](auto failure) {
        return [failure](std::size_t index) {
            if (index == 1)
                throw failure;
        };
    };
    const auto listed = [](std::size_t) {};
    const std::string first = "zellist: a.txt: 1 page on laser\n";
    const std::string rest = "zellist: 1 of 3 files printed on laser; not printed: ";
    const std::string restFromSecond = rest + "(standard input) and 1 more\n";
    const std::vector<Case> cases = {
        {"all listed", listed, 0,
         first + "zellist: (standard input): 2 pages on laser\nzellist: c.txt: 3 pages on laser\n",
         3, "", false},
        {"quietly", listed, 0, "", 3, "", true},
        {"the file's failure", failSecond(Exception("File not found")), 1,
         first + "zellist: (standard input): File not found.\n" + restFromSecond, 2, "", false},
        {"titled", failSecond(Exception("File not found")), 1,
         first + "zellist: make: File not found.\n" + rest + "make and 1 more\n", 2, "make", false},
        {"the printer's failure", failSecond(PrintFailure(PrintStep::DriverJob, "gone", "x")), 1,
         first + "zellist: cannot print on 'x' through its driver: gone.\n" + restFromSecond, 2, "",
         false},
        {"interrupted", failSecond(Interrupted(SIGINT)), 130,
         first + "zellist: interrupted: (standard input) was not printed\n" + restFromSecond, 2, "",
         false},
        {"stopped between two files",
         [](std::size_t index) {
             if (index == 0)
                 RequestStop(SIGTERM);
         },
         128 + SIGTERM,
         first + "zellist: interrupted: (standard input) was not printed\n" + restFromSecond, 1, "",
         false},
        {"the first file's failure", [](std::size_t) { throw Exception("File not found"); }, 1,
         "zellist: a.txt: File not found.\nzellist: 0 of 3 files printed; not printed: a.txt and 2 "
         "more\n",
         1, "", false},
    };
    CliSettings settings;
    settings.files = {"a.txt", "-", "c.txt"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        settings.listing.title = c.title;
        settings.quiet = c.quiet;
        std::vector<std::string> paths, titles;
        std::ostringstream err;
        const int status = RunListings(
            settings,
            [&](const ListingOrder& order, std::size_t index) {
                paths.push_back(order.path);
                titles.push_back(order.options.title);
                EXPECT_EQ(index + 1, paths.size());
                c.list(index);
                return Listed{static_cast<std::int32_t>(index + 1), "on laser", "on laser", {}};
            },
            err);
        ClearStopRequest();
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(err.str(), c.told);
        ASSERT_EQ(paths.size(), c.listed);
        EXPECT_EQ(paths[0], std::filesystem::absolute("a.txt").string());
        EXPECT_EQ(titles[0], c.title);
        if (c.listed > 1) {
            EXPECT_EQ(paths[1], "-");
            EXPECT_EQ(titles[1], c.title.empty() ? "(standard input)" : c.title);
        }
    }
}

// The messages on standard error end with a period unless they end in one,
// or in a closing bracket or quote.
TEST(ShownMessage, APeriodFollowsTextsThatEndAfterOne) {
    EXPECT_EQ(ShownMessage("no print job @ WriteData"), "no print job @ WriteData.");
    EXPECT_EQ(ShownMessage("OpenPrinter()=False @ StartJob with PrinterName:'x'"),
              "OpenPrinter()=False @ StartJob with PrinterName:'x'");
    EXPECT_EQ(ShownMessage("Ends in a period."), "Ends in a period.");
    EXPECT_EQ(ShownMessage("List index out of bounds (3)"), "List index out of bounds (3)");
    EXPECT_EQ(ShownMessage(""), "");
    EXPECT_EQ(ShownMessage("I/O error 1"), "I/O error 1.");
}

} // namespace
} // namespace zl::cli
