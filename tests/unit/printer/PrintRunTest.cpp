#include "printer/PrintRun.h"

#include "platform/Exception.h"
#include "platform/Interruption.h"

#include <gtest/gtest.h>

#include <csignal>
#include <utility>
#include <vector>

namespace zl {
namespace {

class ListDouble : public FileListView {
public:
    std::vector<std::pair<std::string, bool>> entries; // text, ticked
    mutable int countReads = 0;
    int Count() const override {
        ++countReads;
        return static_cast<int>(entries.size());
    }
    bool Ticked(int i) const override { return entries.at(static_cast<std::size_t>(i)).second; }
    std::string Text(int i) const override { return entries.at(static_cast<std::size_t>(i)).first; }
};

// Records what the run shows and prints; fails the listings it is told to.
class HostDouble : public PrintRunHost {
public:
    std::vector<std::string> events;
    std::string failOn;
    std::string stopAfter; // a stop signal arrives when this listing ends
    std::string status = "untouched";

    void ShowMessage(const std::string& text) override { events.push_back("message:" + text); }
    void SetStatus(const std::string& text) override {
        status = text;
        events.push_back("status:" + text);
    }
    void PrintListing(const std::string& path) override {
        events.push_back("print:" + path + " while " + status);
        if (path == failOn)
            throw Exception("File not found");
        if (path == stopAfter)
            RequestStop(SIGTERM);
    }
};

TEST(PrintRun, AnEmptyListOnlyShowsTheMessage) {
    ListDouble list;
    HostDouble host;
    RunPrint(list, host);
    EXPECT_EQ(host.events, (std::vector<std::string>{"message:No files to print!?!"}));
}

TEST(PrintRun, NothingTickedPrintsAndShowsNothing) {
    ListDouble list;
    list.entries = {{"/a/one.c", false}, {"/a/two.c", false}};
    HostDouble host;
    RunPrint(list, host);
    EXPECT_TRUE(host.events.empty());
}

TEST(PrintRun, TickedEntriesPrintInOrderNamedInTheStatus) {
    ListDouble list;
    list.entries = {{"/src/unit1.pas", true},
                    {"/src/skip.pas", false},
                    {"plain.txt", true},
                    {"/src/unit1.pas", true}};
    HostDouble host;
    RunPrint(list, host);
    EXPECT_EQ(host.events, (std::vector<std::string>{
                               "status:Printing unit1.pas",
                               "print:/src/unit1.pas while Printing unit1.pas",
                               "status:",
                               "status:Printing plain.txt",
                               "print:plain.txt while Printing plain.txt",
                               "status:",
                               "status:Printing unit1.pas",
                               "print:/src/unit1.pas while Printing unit1.pas",
                               "status:",
                           }));
    EXPECT_EQ(list.countReads, 1);
}

TEST(PrintRun, TheFirstFailureClearsTheStatusAndEndsTheRun) {
    ListDouble list;
    list.entries = {{"/d/first", true}, {"/d/missing", true}, {"/d/third", true}};
    HostDouble host;
    host.failOn = "/d/missing";
    EXPECT_THROW(RunPrint(list, host), Exception);
    EXPECT_EQ(host.events, (std::vector<std::string>{
                               "status:Printing first",
                               "print:/d/first while Printing first",
                               "status:",
                               "status:Printing missing",
                               "print:/d/missing while Printing missing",
                               "status:",
                           }));
    EXPECT_EQ(host.status, "");
}

TEST(PrintRun, AStopSignalBetweenTwoListingsEndsTheRun) {
    ListDouble list;
    list.entries = {{"/d/first", true}, {"/d/second", true}};
    HostDouble host;
    host.stopAfter = "/d/first";
    EXPECT_THROW(RunPrint(list, host), Interrupted);
    ClearStopRequest();
    EXPECT_EQ(host.events, (std::vector<std::string>{
                               "status:Printing first",
                               "print:/d/first while Printing first",
                               "status:",
                           }));
}

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
} // namespace zl
