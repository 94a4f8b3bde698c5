// zellist itself, printing through the private CUPS server.
#include "tests/support/CupsTestServer.h"
#include "tests/support/TempDir.h"

#include <cups/ipp.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>
#include <unistd.h>

namespace zl {
namespace {

using test::CupsTestServer;

const std::string kEsc = "\x1b";
// Sunday, December 6, 2026 at 11:31 AM UTC.
const char* kEpoch = "1796556660";

// The overlay for portrait, 8 lines per inch, bands of 2 lines: 180
// decipoints high, one every 360 down to 6840, 2400 dots wide.
std::string Overlay() {
    std::string overlay = kEsc + "&f1Y" + kEsc + "&f0X" + kEsc + "&f0S";
    for (int position = 0; position <= 6840; position += 360)
        overlay += kEsc + "&a" + std::to_string(position) + "V" + kEsc + "*c2400A" + kEsc +
                   "*c180V" + kEsc + "*c10G" + kEsc + "*c2P";
    return overlay + kEsc + "&f1S" + kEsc + "&f1X" + kEsc + "&f4X";
}

// The numbered lines of A.TXT.
const std::string kTwoLines = "      1: ab\r\n      2: cd\r\n";

// The header shows a path shorter than 30 characters whole.
constexpr std::size_t kLongestWholePath = 29;

// The listing of the file at `path` whose numbered lines are `lines`, with
// the default options: 133 columns of 16.67 cpi Courier, IBM symbols; the
// header is written to its 133rd column, the date centred on it (from
// column 48).
std::string ExpectedListing(const std::string& path, const std::string& lines = kTwoLines) {
    std::string header = "  File: " + path;
    header.resize(47, ' ');
    header += "Sunday, December 6, 2026 at 11:31 AM" + std::string(44, ' ') + "Page 1";
    return kEsc + "E" + kEsc + "&l8D" + kEsc + "&l80F" + kEsc + "(10U" + kEsc + "(s0p16.67H" +
           Overlay() + header + "\r\n" + "\r\n" + lines + Overlay();
}

class ZelListCommandTest : public ::testing::Test {
protected:
    // Each test has a folder of its own, so that runs at the same time keep
    // their files apart.
    void SetUp() override {
        ASSERT_LE(In("A.TXT").size(), kLongestWholePath)
            << "the temporary folder's path is too long for a listing's header";
        test::WriteFile(dir_ / "A.TXT", "ab\r\ncd\r\n");
        test::WriteFile(dir_ / "B.TXT", "b\r\n");
    }

    // The path of `name` in the test's folder, and the same quoted for a
    // command line.
    std::string In(const std::string& name) const { return (dir_ / name).string(); }
    std::string Arg(const std::string& name) const { return "'" + In(name) + "'"; }

    // What zellist runs with: the private server, UTC, the C locale, a fixed
    // date, no printer chosen by the environment or a user's settings.
    std::vector<std::string> Environment() const {
        return {"HOME=/nonexistent", "CUPS_SERVER=" + cupsServer_, "TZ=UTC", "LC_ALL=C",
                std::string("SOURCE_DATE_EPOCH=") + kEpoch};
    }

    // Runs zellist with `args` (and `moreEnvironment`; with the bytes of the
    // file `pipedInput` on its standard input through a pipe); its exit
    // status, its standard error in `err`.
    int Zellist(const std::string& args, std::string& err,
                const std::vector<std::string>& moreEnvironment = {},
                const std::string& pipedInput = {}) {
        std::string line = pipedInput.empty() ? "" : "cat '" + pipedInput + "' | ";
        line += "env -u LPDEST -u PRINTER";
        std::vector<std::string> environment = Environment();
        environment.insert(environment.end(), moreEnvironment.begin(), moreEnvironment.end());
        for (const std::string& variable : environment)
            line += " '" + variable + "'";
        line += " '" ZELLIST_BINARY "' " + args + " 2>'" + ErrFile() + "'";
        const int status = std::system(line.c_str());
        err = test::ReadFile(ErrFile());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Starts zellist with `args` and `moreEnvironment`, its standard error
    // into ErrFile(); its process id.
    pid_t StartZellist(const std::vector<std::string>& args,
                       const std::vector<std::string>& moreEnvironment) {
        std::vector<std::string> environment = Environment();
        environment.insert(environment.end(), moreEnvironment.begin(), moreEnvironment.end());
        std::vector<std::string> argv = {ZELLIST_BINARY};
        argv.insert(argv.end(), args.begin(), args.end());
        const std::vector<char*> argvPointers = Pointers(argv);
        const std::vector<char*> environmentPointers = Pointers(environment);
        const std::string errFile = ErrFile();
        const pid_t pid = fork();
        if (pid == 0) {
            const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int nothing = open("/dev/null", O_WRONLY);
            if (err < 0 || nothing < 0 || dup2(err, 2) < 0 || dup2(nothing, 1) < 0)
                _exit(126);
            execve(ZELLIST_BINARY, argvPointers.data(), environmentPointers.data());
            _exit(127);
        }
        return pid;
    }

    // The exit status of `pid` once it ends, -1 when it ends otherwise or
    // not within a minute (it is killed then).
    static int ExitStatus(pid_t pid) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // True once `condition` holds, false when it does not within a minute.
    static bool Eventually(const std::function<bool()>& condition) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    static std::vector<char*> Pointers(std::vector<std::string>& texts) {
        std::vector<char*> pointers;
        for (std::string& text : texts)
            pointers.push_back(text.data());
        pointers.push_back(nullptr);
        return pointers;
    }

    std::string ErrFile() const { return In("stderr"); }

    // The jobs of `queue` that are newer than `before`.
    std::vector<int> NewJobs(const std::vector<int>& before,
                             const std::string& queue = "zcli") const {
        std::vector<int> added;
        for (int id : server_.JobIds(queue)) {
            if (before.empty() || id > before.back())
                added.push_back(id);
        }
        return added;
    }

    CupsTestServer server_ = CupsTestServer::Shared();
    std::string cupsServer_ = server_.Address(); // the server zellist is pointed at
    test::TempDir dir_{"zle2e-"};
};

TEST_F(ZelListCommandTest, SmallFilesArriveAsTheExpectedStreams) {
    // UTF-8 with LF line ends and tabs: a TAB to column 8 of the source line,
    // ä as PC-8's 0x84, € (not in PC-8) as Windows Latin 1's 0x80, that set
    // selected before it.
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
                       ": File not found.\n");

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

// True while `pid` waits in the open of a FIFO for its other end (the
// kernel's name for that wait).
bool WaitsForTheOtherEnd(pid_t pid) {
    return test::ReadFile("/proc/" + std::to_string(pid) + "/wchan") == "wait_for_partner";
}

// SIGINT in the middle of a long listing cancels its job wherever it goes:
// nothing of it is left, and zellist ends with 128 + 2. SIGTERM while the
// input, a FIFO without a writer, is being opened ends it the same way.
TEST_F(ZelListCommandTest, AnInterruptedListingLeavesNothing) {
    const std::filesystem::path big = dir_ / "big.txt";
    test::WriteFile(big, "");
    std::filesystem::resize_file(big, 512u << 20); // a sparse file of blanks of byte 0
    const std::filesystem::path fifo = dir_ / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path outputs = dir_ / "out";
    // What shows that zellist is under way.
    enum class Started { OnQueue, InFolder, WaitingForWriter };
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> environment;
        Started started;
        std::filesystem::path input;
        int signal;
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
#endif
        {{"-o", (outputs / "out.pcl").string()}, {}, Started::WaitingForWriter, fifo, SIGTERM},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back() + " " + c.input.string());
        std::filesystem::create_directories(outputs);
        const std::vector<int> before = server_.JobIds("zcli");
        std::vector<std::string> args = c.args;
        args.push_back(c.input.string());
        const pid_t pid = StartZellist(args, c.environment);
        ASSERT_GT(pid, 0);
        const bool started = Eventually([&] {
            if (c.started == Started::OnQueue)
                return !NewJobs(before).empty();
            if (c.started == Started::WaitingForWriter)
                return WaitsForTheOtherEnd(pid);
            // Files come and go while zellist works: one gone is not there.
            std::error_code gone;
            for (auto entry = std::filesystem::recursive_directory_iterator(outputs, gone);
                 !gone && entry != std::filesystem::recursive_directory_iterator();
                 entry.increment(gone)) {
                if (entry->is_regular_file(gone) && entry->file_size(gone) > 0 && !gone)
                    return true;
            }
            return false;
        });
        EXPECT_TRUE(started) << "zellist did not get under way";
        kill(pid, c.signal);
        EXPECT_EQ(ExitStatus(pid), 128 + c.signal);
        EXPECT_EQ(test::ReadFile(ErrFile()),
                  "zellist: interrupted: " + c.input.string() + " was not printed\n");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(outputs))
            EXPECT_FALSE(entry.is_regular_file()) << entry.path() << " was left";
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

TEST_F(ZelListCommandTest, TheServersQueuesAreListedWithItsDefault) {
    std::string err;
    const std::string outFile = In("list");
    ASSERT_EQ(Zellist("--list-printers >'" + outFile + "'", err), 0) << err;
    EXPECT_EQ(test::ReadFile(outFile), "alpha\nbeta  (default)\nreject\nzcli\nzppd\nPCL File\n");
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

// What `command` writes on standard output, its runs of blanks made one.
std::string OutputOf(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    std::string squeezed;
    for (char c : text) {
        if (c != ' ' || squeezed.empty() || squeezed.back() != ' ')
            squeezed += c;
    }
    return squeezed;
}

#ifndef ZELLIST_WITH_RENDER
const char* const kNotBuilt = "zellist: PDF output and --driver are not part of this build\n";
#endif

// A PCL listing, into a file or on a queue, and the printer look-ups load no
// Qt library; a PDF does, in the drawing program. The dynamic loader names
// every library it maps, opened at run time or not (LD_DEBUG=files).
TEST_F(ZelListCommandTest, OnlyDrawnListingsLoadQt) {
    struct Case {
        std::string args;
        bool qt;
    };
    const Case cases[] = {
        {"-o " + Arg("out.pcl") + " " + Arg("A.TXT"), false},
        {"-o - " + Arg("A.TXT"), false},
        {"--list-printers", false},
        {"--describe-printer zppd", false},
        {"--help", false},
        {"--version", false},
#ifdef ZELLIST_WITH_RENDER
        {"-o " + Arg("x.pdf") + " " + Arg("A.TXT"), true},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        std::string err;
        EXPECT_EQ(Zellist(c.args + " >/dev/null", err, {"LD_DEBUG=files"}), 0);
        EXPECT_NE(err.find("libc.so"), std::string::npos) << "the loader names what it maps";
        EXPECT_EQ(err.find("libQt6") != std::string::npos, c.qt);
    }
}

// -o NAME.pdf writes each listing as a PDF of its own, its text as text: the
// second input's, here standard input, is NAME-2.pdf.
TEST_F(ZelListCommandTest, APdfOutputHoldsEachListingAsText) {
    std::string err;
#ifndef ZELLIST_WITH_RENDER
    // Built without the renderer, zellist refuses rather than write PCL there.
    EXPECT_EQ(Zellist("-o " + Arg("x.pdf") + " " + Arg("A.TXT"), err), 2);
    EXPECT_EQ(err, kNotBuilt);
    EXPECT_FALSE(std::filesystem::exists(In("x.pdf")));
    return;
#endif
    ASSERT_EQ(
        Zellist("--paper letter -o " + Arg("x.pdf") + " " + Arg("A.TXT") + " - <" + Arg("B.TXT"),
                err),
        0)
        << err;
    EXPECT_EQ(err, "zellist: " + In("A.TXT") + ": 1 page into " + In("x.pdf") +
                       "\nzellist: (standard input): 1 page into " + In("x-2.pdf") + "\n");
    for (const auto& [pdf, name, line] :
         {std::tuple<std::string, std::string, std::string>{"x.pdf", In("A.TXT"), "1: ab"},
          {"x-2.pdf", "(standard input)", "1: b\n"}}) {
        SCOPED_TRACE(pdf);
        const std::string info = OutputOf("pdfinfo " + Arg(pdf));
        EXPECT_NE(info.find("Pages: 1\n"), std::string::npos) << info;
        EXPECT_NE(info.find("Page size: 612 x 792 pts (letter)\n"), std::string::npos) << info;
        const std::string text = OutputOf("pdftotext -layout " + Arg(pdf) + " -");
        EXPECT_NE(text.find("File: " + name), std::string::npos) << text;
        EXPECT_NE(text.find(line), std::string::npos) << text;
    }
    EXPECT_EQ(Zellist("--paper folio -o " + Arg("y.pdf") + " " + Arg("A.TXT"), err), 2);
    EXPECT_FALSE(std::filesystem::exists(In("y.pdf")));
}

// --driver draws the listing and prints it through the queue's driver: the
// job is a PDF, typed by the server, on a raw queue and on a queue with a
// PPD alike; raw PCL still prints there.
TEST_F(ZelListCommandTest, DriverPrintsTheDrawnListingAndNamesAPrinterThatFails) {
#ifndef ZELLIST_WITH_RENDER
    // Built without the renderer, zellist refuses rather than print PCL.
    const std::vector<int> none = server_.JobIds("zcli");
    std::string err;
    EXPECT_EQ(Zellist("--driver -P zcli " + Arg("A.TXT"), err), 2);
    EXPECT_EQ(err, kNotBuilt);
    EXPECT_EQ(server_.JobIds("zcli"), none);
    return;
#endif
    struct Case {
        std::string args, queue;
        int status;
        std::string err;
        bool pdf; // the printed job holds a PDF, else the PCL listing
    };
    const std::string listed = "zellist: " + In("A.TXT") + ": 1 page on ";
    for (const Case& c : {
             Case{"--driver -P zcli " + Arg("A.TXT"), "zcli", 0, listed + "zcli\n", true},
             Case{"--driver -P zppd " + Arg("A.TXT"), "zppd", 0, listed + "zppd\n", true},
             Case{"-P zppd " + Arg("A.TXT"), "zppd", 0, listed + "zppd\n", false},
             Case{"--driver -P nosuch " + Arg("A.TXT"), "zcli", 1,
                  "zellist: cannot print on 'nosuch' through its driver: no such printer.\n",
                  false},
             Case{"--driver -P zcli " + Arg("missing.txt"), "zcli", 1,
                  "zellist: " + In("missing.txt") + ": File not found.\n", false},
         }) {
        SCOPED_TRACE(c.args);
        const std::vector<int> before = server_.JobIds(c.queue);
        std::string err;
        EXPECT_EQ(Zellist(c.args, err), c.status) << err;
        EXPECT_EQ(err, c.err);
        const std::vector<int> jobs = NewJobs(before, c.queue);
        if (c.status != 0) { // a refused job is cancelled, nothing of it printed
            for (int id : jobs)
                EXPECT_EQ(server_.WaitForFinalState(c.queue, id), IPP_JSTATE_CANCELED);
            continue;
        }
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(server_.WaitForFinalState(c.queue, jobs[0]), IPP_JSTATE_COMPLETED);
        EXPECT_EQ(server_.JobTitle(c.queue, jobs[0]), "ZelPrint Job");
        const std::string data = server_.JobData(c.queue, jobs[0]);
        if (!c.pdf) {
            EXPECT_EQ(data, ExpectedListing(In("A.TXT")));
            continue;
        }
        EXPECT_EQ(data.rfind("%PDF", 0), 0u) << data.substr(0, 16);
        test::WriteFile(dir_ / "job.pdf", data);
        const std::string text = OutputOf("pdftotext -layout " + Arg("job.pdf") + " -");
        EXPECT_NE(text.find("File: " + In("A.TXT")), std::string::npos) << text;
        EXPECT_NE(text.find("1: ab"), std::string::npos) << text;
        EXPECT_NE(text.find("2: cd"), std::string::npos) << text;
    }
}

} // namespace
} // namespace zl
