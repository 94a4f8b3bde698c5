// The fixture of the tests that run zellist itself through the private
// CUPS server: each test's folder with its inputs, the run of zellist with a
// fixed environment, and the listing a small file makes.
#pragma once

#include "tests/support/CupsTestServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zl::e2e {

using test::CupsTestServer;

inline const std::string kEsc = "\x1b";
// Sunday, December 6, 2026 at 11:31 AM UTC.
inline const char* kEpoch = "1796556660";

// The overlay for portrait, 8 lines per inch, bands of 2 lines: 180
// decipoints high, one every 360 down to 6840, 2400 dots wide.
inline std::string Overlay() {
    std::string overlay = kEsc + "&f1Y" + kEsc + "&f0X" + kEsc + "&f0S";
    for (int position = 0; position <= 6840; position += 360)
        overlay += kEsc + "&a" + std::to_string(position) + "V" + kEsc + "*c2400A" + kEsc +
                   "*c180V" + kEsc + "*c10G" + kEsc + "*c2P";
    return overlay + kEsc + "&f1S" + kEsc + "&f1X" + kEsc + "&f4X";
}

// The numbered lines of A.TXT.
inline const std::string kTwoLines = "      1: ab\r\n      2: cd\r\n";

// The header shows a path shorter than 30 characters whole.
inline constexpr std::size_t kLongestWholePath = 29;

// The listing of the file at `path` whose numbered lines are `lines`, with
// the default options: 133 columns of 16.67 cpi Courier, IBM symbols; the
// header is written to its 133rd column, the date centred on it (from
// column 48).
inline std::string ExpectedListing(const std::string& path, const std::string& lines = kTwoLines) {
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

    // Runs zellist with `args` (and `moreEnvironment`, without a session's
    // runtime folder; with the bytes of the
    // file `pipedInput` on its standard input through a pipe); its exit
    // status, its standard error in `err`.
    int Zellist(const std::string& args, std::string& err,
                const std::vector<std::string>& moreEnvironment = {},
                const std::string& pipedInput = {}) {
        std::string line = pipedInput.empty() ? "" : "cat '" + pipedInput + "' | ";
        line += "env -u LPDEST -u PRINTER -u XDG_RUNTIME_DIR";
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
    // into ErrFile(), its standard input and output the descriptors given
    // (-1: the test's own input, and /dev/null); its process id.
    pid_t StartZellist(const std::vector<std::string>& args,
                       const std::vector<std::string>& moreEnvironment, int input = -1,
                       int output = -1) {
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
            const int out = output >= 0 ? output : open("/dev/null", O_WRONLY);
            if (err < 0 || out < 0 || dup2(err, 2) < 0 || dup2(out, 1) < 0 ||
                (input >= 0 && dup2(input, 0) < 0))
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

} // namespace zl::e2e
