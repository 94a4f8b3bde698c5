// zellist itself, printing through the private CUPS server.
#include "tests/e2e/ZelListCommandFixture.h"

#include <cups/ipp.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace zl::e2e {
namespace {

TEST_F(ZelListCommandTest, SmallFilesArriveAsTheExpectedStreams) {
    // UTF-8 with LF line ends and tabs: a TAB to column 8 of the source line,
    // ä as PC-8's 0x84, € (not in PC-8) as Windows Latin 1's 0x80.
    test::WriteFile(dir_ / "U.TXT", "\t\xc3\xa4\xe2\x82\xac\nx\ty\n");
    const std::string unicodeLines = "      1: " + std::string(8, ' ') + "\x84\x1b(19U\x80\r\n" +
                                     "      2: x" + std::string(7, ' ') + "y\r\n";
    for (const auto& [name, expected] :
         {std::pair<std::string, std::string>{"A.TXT", ExpectedListing(In("A.TXT"))},
          {"U.TXT", ExpectedListing(In("U.TXT"), unicodeLines)}}) {
        SCOPED_TRACE(name);
        const std::vector<int> before = server_.JobIds("zcli");
        std::string err;
        ASSERT_EQ(Zellist("-P zcli " + Arg(name), err), 0) << err;
        const std::vector<int> jobs = NewJobs(before);
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(server_.WaitForFinalState("zcli", jobs[0]), IPP_JSTATE_COMPLETED);
        EXPECT_EQ(server_.JobTitle("zcli", jobs[0]), "ZelPrint Job");
        EXPECT_EQ(server_.JobData("zcli", jobs[0]), expected);
    }
}

TEST_F(ZelListCommandTest, AMissingFileStopsTheRunAndPrintsNothingOfItsJob) {
    const std::vector<int> before = server_.JobIds("zcli");
    std::string err;
    EXPECT_EQ(
        Zellist("-P zcli " + Arg("A.TXT") + " " + Arg("missing.txt") + " " + Arg("B.TXT"), err), 1);
    EXPECT_EQ(err, "zellist: " + In("A.TXT") + ": 1 page on zcli\nzellist: " + In("missing.txt") +
                       ": File not found.\nzellist: 1 of 3 files printed on zcli; not printed: " +
                       In("missing.txt") + " and 1 more\n");

    const std::vector<int> jobs = NewJobs(before);
    ASSERT_EQ(jobs.size(), 1u) << "no job for the missing file, none for the third file";
    EXPECT_EQ(server_.WaitForFinalState("zcli", jobs[0]), IPP_JSTATE_COMPLETED);
    EXPECT_EQ(server_.JobData("zcli", jobs[0]), ExpectedListing(In("A.TXT")));

    // Nothing was left open: the next run prints.
    ASSERT_EQ(Zellist("-P zcli " + Arg("B.TXT"), err), 0) << err;
    const std::vector<int> next = NewJobs(jobs);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(server_.WaitForFinalState("zcli", next[0]), IPP_JSTATE_COMPLETED);
    EXPECT_NE(server_.JobData("zcli", next[0]).find("      1: b\r\n"), std::string::npos);
}

// Standard input is listed, from a pipe or a file, with no FILE or with
// "-", under --title or "(standard input)"; a terminal is refused. --title
// names a file's header too. After each listing zellist says on standard
// error how many pages went where, unless -q.
TEST_F(ZelListCommandTest, StandardInputAndTheWordAfterEachListing) {
    const std::string out = In("out.pcl");
    const std::string pclFile = In("pcl") + "/ZelPrint Job-0001.pcl";
    struct Case {
        std::string args;
        std::string piped; // the file sent through a pipe, if any
        std::vector<std::string> environment;
        int status;
        std::string output; // the listing's file; empty: none is written
        std::string named;  // what its header names
        std::string err;
    };
    const Case cases[] = {
        {"-o " + Arg("out.pcl"),
         In("A.TXT"),
         {},
         0,
         out,
         "(standard input)",
         "zellist: (standard input): 1 page into " + out + "\n"},
        {"--title 'make log' -o " + Arg("out.pcl") + " -",
         In("A.TXT"),
         {},
         0,
         out,
         "make log",
         "zellist: make log: 1 page into " + out + "\n"},
        {"-q -o " + Arg("out.pcl") + " - <" + Arg("A.TXT"), "", {}, 0, out, "(standard input)", ""},
        {"--title 'make log' -o " + Arg("out.pcl") + " " + Arg("A.TXT"),
         "",
         {},
         0,
         out,
         "make log",
         "zellist: " + In("A.TXT") + ": 1 page into " + out + "\n"},
        {"-o - >/dev/null",
         In("A.TXT"),
         {},
         0,
         "",
         "",
         "zellist: (standard input): 1 page into standard output\n"},
        {"-P 'PCL File' " + Arg("A.TXT"),
         "",
         {"ZELLIST_OUTPUT_DIR=" + In("pcl")},
         0,
         pclFile,
         In("A.TXT"),
         "zellist: " + In("A.TXT") + ": 1 page on PCL File (" + pclFile + ")\n"},
        // The master side of a new pseudo-terminal is a terminal.
        {"-o " + Arg("out.pcl") + " </dev/ptmx",
         "",
         {},
         2,
         "",
         "",
         "zellist: standard input is a terminal: give a FILE, or send the text through a "
         "pipe\nTry 'zellist --help' for more.\n"},
        // Closed by the parent: said, not taken over by the program's own
        // files or the print server's socket (a job, a hang).
        {"-o " + Arg("out.pcl") + " <&-",
         "",
         {},
         2,
         "",
         "",
         "zellist: standard input is closed: give a FILE, or send the text through a "
         "pipe\nTry 'zellist --help' for more.\n"},
        {"-P zcli <&-",
         "",
         {},
         2,
         "",
         "",
         "zellist: standard input is closed: give a FILE, or send the text through a "
         "pipe\nTry 'zellist --help' for more.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        std::string err;
        EXPECT_EQ(Zellist(c.args, err, c.environment, c.piped), c.status) << err;
        EXPECT_EQ(err, c.err);
        if (c.output.empty())
            EXPECT_FALSE(std::filesystem::exists(out));
        else
            EXPECT_EQ(test::ReadFile(c.output), ExpectedListing(c.named));
        std::filesystem::remove(out);
        std::filesystem::remove_all(In("pcl"));
    }
}

// The kernel's name for where `pid` waits.
std::string WaitChannel(pid_t pid) {
    return test::ReadFile("/proc/" + std::to_string(pid) + "/wchan");
}

// True once the pipe whose read end is `readEnd` is full.
bool PipeIsFull(int readEnd) {
    int held = 0;
    return ioctl(readEnd, FIONREAD, &held) == 0 && held >= fcntl(readEnd, F_GETPIPE_SZ);
}

// A pipe whose ends close with it.
struct Pipe {
    Pipe() {
        if (pipe(ends) != 0)
            ends[0] = ends[1] = -1;
    }
    ~Pipe() {
        for (int end : ends)
            close(end);
    }
    int ends[2];
};

// A stop signal ends zellist wherever it waits or works: nothing of the
// listing is left, an existing output file stays as it was, its job is
// cancelled, and zellist ends with 128 + the signal's number. Under way in
// the middle of a long listing; in the open of a FIFO without a writer; on
// a standard input left non-blocking whose writer is silent; in a write to
// a full pipe.
TEST_F(ZelListCommandTest, AnInterruptedListingLeavesNothing) {
    const std::filesystem::path big = dir_ / "big.txt";
    test::WriteFile(big, "");
    std::filesystem::resize_file(big, 512u << 20); // a sparse file of blanks of byte 0
    const std::filesystem::path fifo = dir_ / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Pipe silentInput, heldOutput;
    ASSERT_EQ(fcntl(silentInput.ends[0], F_SETFL, O_NONBLOCK), 0);
    const std::filesystem::path outputs = dir_ / "out";
    // Output files of an earlier run, to stay as they are.
    const std::string kept = "the listing of an earlier run";
    auto IsKept = [&](const std::filesystem::path& path) {
        return path == outputs / "out.pcl" || path == outputs / "out.pdf";
    };
    // What shows that zellist is under way.
    enum class Started { OnQueue, InFolder, WaitingForWriter, WaitingForInput, OutputFull };
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> environment;
        Started started;
        std::filesystem::path input;
        int signal;
        int standardInput = -1;
        int standardOutput = -1;
        std::string alsoSaid = {}; // after the word of the interruption
    };
    const Case cases[] = {
        {{"-o", (outputs / "out.pcl").string()}, {}, Started::InFolder, big, SIGINT},
        {{"-P", "PCL File"},
         {"ZELLIST_OUTPUT_DIR=" + outputs.string()},
         Started::InFolder,
         big,
         SIGINT},
        {{"-P", "zcli"}, {}, Started::OnQueue, big, SIGINT},
#ifdef ZELLIST_WITH_RENDER
        // The drawn listing waits in a temporary folder until it is complete.
        {{"--driver", "-P", "zcli"},
         {"TMPDIR=" + outputs.string()},
         Started::InFolder,
         big,
         SIGINT},
        {{"-o", (outputs / "out.pdf").string()},
         {},
         Started::WaitingForInput,
         "-",
         SIGTERM,
         silentInput.ends[0]},
#endif
        {{"-o", (outputs / "out.pcl").string()}, {}, Started::WaitingForWriter, fifo, SIGTERM},
        {{"-o", (outputs / "out.pcl").string()},
         {},
         Started::WaitingForInput,
         "-",
         SIGHUP,
         silentInput.ends[0]},
        // What went into a pipe cannot be taken back, and the reader is told.
        {{"-o", "-"},
         {},
         Started::OutputFull,
         big,
         SIGTERM,
         -1,
         heldOutput.ends[1],
         "zellist: standard output: ends in an incomplete listing (the failed job could not be "
         "taken back)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back() + " " + c.input.string());
        std::filesystem::create_directories(outputs);
        for (const char* name : {"out.pcl", "out.pdf"})
            test::WriteFile(outputs / name, kept);
        const std::vector<int> before = server_.JobIds("zcli");
        std::vector<std::string> args = c.args;
        args.push_back(c.input.string());
        const pid_t pid = StartZellist(args, c.environment, c.standardInput, c.standardOutput);
        ASSERT_GT(pid, 0);
        const bool started = Eventually([&] {
            switch (c.started) {
            case Started::OnQueue:
                return !NewJobs(before).empty();
            case Started::WaitingForWriter:
                return WaitChannel(pid) == "wait_for_partner";
            case Started::WaitingForInput:
                return WaitChannel(pid).find("poll") != std::string::npos;
            case Started::OutputFull:
                return PipeIsFull(heldOutput.ends[0]);
            case Started::InFolder:
                break;
            }
            // Files come and go while zellist works: one gone is not there.
            std::error_code gone;
            for (auto entry = std::filesystem::recursive_directory_iterator(outputs, gone);
                 !gone && entry != std::filesystem::recursive_directory_iterator();
                 entry.increment(gone)) {
                if (entry->is_regular_file(gone) && !IsKept(entry->path()) &&
                    entry->file_size(gone) > 0 && !gone)
                    return true;
            }
            return false;
        });
        EXPECT_TRUE(started) << "zellist did not get under way";
        kill(pid, c.signal);
        EXPECT_EQ(ExitStatus(pid), 128 + c.signal);
        const std::string shown = c.input == "-" ? "(standard input)" : c.input.string();
        EXPECT_EQ(test::ReadFile(ErrFile()),
                  "zellist: interrupted: " + shown + " was not printed\n" + c.alsoSaid);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(outputs)) {
            if (IsKept(entry.path()))
                EXPECT_EQ(test::ReadFile(entry.path()), kept) << entry.path();
            else
                EXPECT_FALSE(entry.is_regular_file()) << entry.path() << " was left";
        }
        for (int id : NewJobs(before))
            EXPECT_EQ(server_.WaitForFinalState("zcli", id), IPP_JSTATE_CANCELED) << "job " << id;
        std::filesystem::remove_all(outputs);
    }
}

// A print server that fails is named, with what it did; once it is back,
// the next run prints.
TEST_F(ZelListCommandTest, AFailingServerIsNamedAndTheNextRunPrintsOnceItIsBack) {
    std::string err;
    {
        test::SilentServer silent; // takes connections, never answers
        cupsServer_ = silent.Address();
        EXPECT_EQ(Zellist("-P zcli " + Arg("A.TXT"), err), 1);
        EXPECT_EQ(err, "zellist: cannot list the printers: the print server " + silent.Address() +
                           " does not answer.\n");
        // PCL File and an output file need no print server, and ask none.
        EXPECT_EQ(
            Zellist("-q -P 'PCL File' " + Arg("A.TXT"), err, {"ZELLIST_OUTPUT_DIR=" + In("pcl")}),
            0)
            << err;
        EXPECT_EQ(test::ReadFile(In("pcl/ZelPrint Job-0001.pcl")), ExpectedListing(In("A.TXT")));
        EXPECT_EQ(Zellist("-q -o " + Arg("out.pcl") + " " + Arg("A.TXT"), err), 0) << err;
    }

    test::TempDir own;
    CupsTestServer server = CupsTestServer::StartOwn(own.Path());
    cupsServer_ = server.Address();
    const std::filesystem::path input = dir_ / "big.txt";
    test::WriteFile(input, "");
    std::filesystem::resize_file(input, 512u << 20);
    const pid_t pid = StartZellist({"-P", "zcli", input.string()}, {});
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(Eventually([&] { return !server.JobIds("zcli").empty(); }));
    server.Stop(); // in the middle of the job
    EXPECT_EQ(ExitStatus(pid), 1);
    const std::string cause = "the print server " + server.Address();
    EXPECT_EQ(
        test::ReadFile(ErrFile()).rfind(
            "zellist: " + input.string() + ": WritePrinter() API failed @ WriteData: " + cause, 0),
        0u)
        << test::ReadFile(ErrFile());

    // Stopped: the queue cannot be reached, and that is what is said.
    EXPECT_EQ(Zellist("-P zcli " + Arg("A.TXT"), err), 1);
    EXPECT_EQ(err, "zellist: --printer: no printer named 'zcli': cannot reach " + cause + ".\n");

    server.Restart();
    const std::vector<int> before = server.JobIds("zcli");
    ASSERT_EQ(Zellist("-P zcli " + Arg("A.TXT"), err), 0) << err;
    const std::vector<int> after = server.JobIds("zcli");
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(server.WaitForFinalState("zcli", after.back()), IPP_JSTATE_COMPLETED);
    EXPECT_EQ(server.JobData("zcli", after.back()), ExpectedListing(In("A.TXT")));
}

// A queue that is full is waited for, saying so once, until a job leaves
// room; a stop signal ends the wait; without waiting the run stops there.
// A run that stops early says what printed and what did not.
TEST_F(ZelListCommandTest, AFullQueueIsWaitedForAndARunThatStopsSaysWhatPrinted) {
    test::TempDir own;
    const CupsTestServer server = CupsTestServer::StartOwn(own.Path(), 2);
    cupsServer_ = server.Address();
    server.HoldQueue("zcli", true); // its jobs wait, and fill the queue
    const std::string a = In("A.TXT"), b = In("B.TXT");
    const std::string full = "zellist: the print server's queue is full; waiting\n";
    std::string err;
    EXPECT_EQ(Zellist("-q --queue-wait 0 -P zcli " + Arg("A.TXT") + " " + Arg("B.TXT") + " " +
                          Arg("A.TXT") + " " + Arg("B.TXT"),
                      err),
              1);
    EXPECT_EQ(err, "zellist: " + a +
                       ": WritePrinter() API failed @ WriteData: Too many active "
                       "jobs.\nzellist: 2 of 4 files printed on zcli; not printed: " +
                       a + " and 1 more\n");

    // The word of the run before is gone before a run starts.
    const auto waits = [&] {
        return std::filesystem::exists(ErrFile()) && test::ReadFile(ErrFile()) == full;
    };
    std::filesystem::remove(ErrFile());
    pid_t pid = StartZellist({"-q", "-P", "zcli", b}, {});
    ASSERT_TRUE(Eventually(waits));
    server.CancelJob("zcli", server.JobIds("zcli").front());
    EXPECT_EQ(ExitStatus(pid), 0);
    EXPECT_EQ(test::ReadFile(ErrFile()), full);
    EXPECT_EQ(server.JobIds("zcli").back(), 3); // the server keeps no more than its limit

    std::filesystem::remove(ErrFile());
    pid = StartZellist({"-q", "-P", "zcli", a, b}, {});
    ASSERT_TRUE(Eventually(waits));
    kill(pid, SIGTERM);
    EXPECT_EQ(ExitStatus(pid), 128 + SIGTERM);
    EXPECT_EQ(test::ReadFile(ErrFile()), full + "zellist: interrupted: " + a +
                                             " was not printed\nzellist: 0 of 2 files printed; "
                                             "not printed: " +
                                             a + " and 1 more\n");
}

TEST_F(ZelListCommandTest, TheServersQueuesAreListedWithItsDefault) {
    std::string err;
    const std::string outFile = In("list");
    ASSERT_EQ(Zellist("--list-printers >'" + outFile + "'", err), 0) << err;
    EXPECT_EQ(test::ReadFile(outFile),
              "alpha\nbeta  (default)\ngreenbar\nreject\nzcli\nzppd\nPCL File\n");
}

TEST_F(ZelListCommandTest, APrintersFormsAndBinsAreDescribed) {
    std::string err;
    const std::string outFile = In("describe");
    ASSERT_EQ(Zellist("--describe-printer zppd >'" + outFile + "'", err), 0) << err;
    const std::string text = test::ReadFile(outFile);
    EXPECT_NE(text.find("  A4  210.0 x 297.0 mm  code 9\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Letter  215.9 x 279.4 mm  code 1\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  Legal  215.9 x 355.6 mm  code 5\n"), std::string::npos) << text;
    EXPECT_NE(text.find("code 1\n"), std::string::npos);
    EXPECT_NE(text.find("Default paper: Letter\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Bins:\n"), std::string::npos);

    ASSERT_EQ(Zellist("--describe-printer alpha >'" + outFile + "'", err), 0) << err;
    EXPECT_EQ(test::ReadFile(outFile), "Paper forms of alpha:\n  (none)\nBins:\n  (none)\n"
                                       "Default paper: \nDefault bin: \n");
    EXPECT_EQ(Zellist("--describe-printer nosuch", err), 2);
    EXPECT_NE(err.find("--describe-printer: no printer named 'nosuch'"), std::string::npos);
}

} // namespace
} // namespace zl::e2e
