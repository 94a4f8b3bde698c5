// The private cupsd of the end-to-end tests: the one the test fixture runs,
// or one a test starts and stops itself. Its queues "alpha" and "beta" (the
// default), "zcli" and "zppd" keep each job's bytes and title; "reject"
// accepts no jobs. "zppd" has a PPD with A4, Letter (its default) and Legal,
// three trays and duplex; the others are raw queues. "greenbar", when the
// fixture gives the server the filter zellist-cups, prints text through it
// with the project's PPD.
#pragma once

#include "platform/OwnedDescriptor.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zl::test {

class CupsTestServer {
public:
    // The server the fixture started (ZELLIST_TEST_CUPSD).
    static CupsTestServer Shared();
    // Starts a server of its own in `dir`; it stops with the object. With
    // `maxJobs`, it takes no more than that many jobs not yet done.
    static CupsTestServer StartOwn(const std::filesystem::path& dir, int maxJobs = 0);

    CupsTestServer(CupsTestServer&& other) noexcept;
    ~CupsTestServer();

    // "127.0.0.1:PORT".
    std::string Address() const;
    void Stop();
    // Starts a stopped server of its own again, on the same port, with its
    // queues and the jobs it kept.
    void Restart();

    // Stops or starts printing on `queue`: its jobs wait, or go on.
    void HoldQueue(const std::string& queue, bool hold) const;
    // Cancels job `id` of `queue`.
    void CancelJob(const std::string& queue, int id) const;
    // Waits for job `id` of `queue` to reach a final state and returns it
    // (an ipp_jstate_t: 7 canceled, 8 aborted, 9 completed).
    int WaitForFinalState(const std::string& queue, int id) const;
    // The same for a state from `least` on: IPP_JSTATE_STOPPED for a job
    // that a filter's failure stops.
    int WaitForState(const std::string& queue, int id, int least) const;
    // The ids of the jobs `queue` has had, in ascending order.
    std::vector<int> JobIds(const std::string& queue) const;
    // The bytes and the title of a completed job; empty when none were kept.
    std::string JobData(const std::string& queue, int id) const;
    std::string JobTitle(const std::string& queue, int id) const;
    // The copies and options the queue's backend got for the job, as words
    // ("copies=2", "sides=two-sided-long-edge", "InputSlot=Tray2").
    std::vector<std::string> JobOptions(const std::string& queue, int id) const;
    // The lines the server's error log has about job `id` (its filters'
    // ERROR: and INFO: messages among them).
    std::vector<std::string> JobLogLines(int id) const;

private:
    CupsTestServer(std::filesystem::path dir, bool own) : dir_(std::move(dir)), own_(own) {}
    static int RunScript(const std::string& command, const std::filesystem::path& dir,
                         const std::string& environment = {});
    // Runs the CUPS command `command` ("cancel x-1") on this server.
    void RunCupsCommand(const std::string& command) const;

    std::filesystem::path dir_;
    bool own_ = false;
};

// A loopback port that takes connections and never answers: a print server
// that has hung.
class SilentServer {
public:
    SilentServer();

    // "127.0.0.1:PORT".
    std::string Address() const { return address_; }

private:
    OwnedDescriptor socket_;
    std::string address_;
};

} // namespace zl::test
