#include "tests/support/CupsTestServer.h"

#include "tests/support/TempDir.h"

#include <arpa/inet.h>
#include <cups/cups.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace zl::test {

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value)
        throw std::runtime_error(std::string(name) + " is not set: run the tests through ctest");
    return value;
}

// Every job of `queue`, as id and state, in ascending order of id.
std::vector<std::pair<int, int>> Jobs(const std::string& address, const std::string& queue) {
    auto colon = address.rfind(':');
    http_t* http =
        httpConnect2(address.substr(0, colon).c_str(), std::atoi(address.c_str() + colon + 1),
                     nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 5000, nullptr);
    std::vector<std::pair<int, int>> result;
    if (!http)
        return result;
    cups_job_t* jobs = nullptr;
    int count = cupsGetJobs2(http, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < count; ++i)
        result.emplace_back(jobs[i].id, static_cast<int>(jobs[i].state));
    cupsFreeJobs(count, jobs);
    httpClose(http);
    std::sort(result.begin(), result.end());
    return result;
}

// The state of job `id`, or 0 when the server does not know it.
int JobState(const std::string& address, const std::string& queue, int id) {
    for (const auto& job : Jobs(address, queue)) {
        if (job.first == id)
            return job.second;
    }
    return 0;
}

} // namespace

CupsTestServer CupsTestServer::Shared() {
    return CupsTestServer(Env("ZELLIST_TEST_CUPSD"), false);
}

CupsTestServer CupsTestServer::StartOwn(const std::filesystem::path& dir, int maxJobs) {
    if (RunScript("start", dir, "TEST_CUPSD_MAX_JOBS=" + std::to_string(maxJobs)) != 0)
        throw std::runtime_error("test-cupsd start failed in " + dir.string());
    return CupsTestServer(dir, true);
}

CupsTestServer::CupsTestServer(CupsTestServer&& other) noexcept
    : dir_(std::move(other.dir_)), own_(other.own_) {
    other.own_ = false;
}

CupsTestServer::~CupsTestServer() {
    if (own_)
        Stop();
}

int CupsTestServer::RunScript(const std::string& command, const std::filesystem::path& dir,
                              const std::string& environment) {
    std::string line = environment + " '" + std::string(ZELLIST_TEST_CUPSD_SCRIPT) + "' " +
                       command + " '" + dir.string() + "' >/dev/null";
    return std::system(line.c_str());
}

void CupsTestServer::RunCupsCommand(const std::string& command) const {
    const std::string line = "CUPS_SERVER='" + Address() + "' " + command + " >/dev/null";
    if (std::system(line.c_str()) != 0)
        throw std::runtime_error(command + " failed on " + Address());
}

void CupsTestServer::HoldQueue(const std::string& queue, bool hold) const {
    RunCupsCommand((hold ? "cupsdisable '" : "cupsenable '") + queue + "'");
}

void CupsTestServer::CancelJob(const std::string& queue, int id) const {
    RunCupsCommand("cancel '" + queue + "-" + std::to_string(id) + "'");
}

void CupsTestServer::Stop() {
    RunScript("stop", dir_);
    own_ = false;
}

void CupsTestServer::Restart() {
    if (RunScript("restart", dir_) != 0)
        throw std::runtime_error("test-cupsd restart failed in " + dir_.string());
    own_ = true;
}

std::string CupsTestServer::Address() const {
    std::string text = ReadFile(dir_ / "server");
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

int CupsTestServer::WaitForFinalState(const std::string& queue, int id) const {
    return WaitForState(queue, id, IPP_JSTATE_CANCELED);
}

int CupsTestServer::WaitForState(const std::string& queue, int id, int least) const {
    const std::string address = Address();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int state = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        state = JobState(address, queue, id);
        if (state >= least)
            return state;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return state;
}

std::vector<int> CupsTestServer::JobIds(const std::string& queue) const {
    std::vector<int> ids;
    for (const auto& job : Jobs(Address(), queue))
        ids.push_back(job.first);
    return ids;
}

std::string CupsTestServer::JobData(const std::string& queue, int id) const {
    auto path = dir_ / "jobs" / queue / (std::to_string(id) + ".data");
    return std::filesystem::exists(path) ? ReadFile(path) : std::string();
}

std::string CupsTestServer::JobTitle(const std::string& queue, int id) const {
    auto path = dir_ / "jobs" / queue / (std::to_string(id) + ".title");
    return std::filesystem::exists(path) ? ReadFile(path) : std::string();
}

std::vector<std::string> CupsTestServer::JobOptions(const std::string& queue, int id) const {
    auto path = dir_ / "jobs" / queue / (std::to_string(id) + ".options");
    std::vector<std::string> words;
    std::istringstream text(std::filesystem::exists(path) ? ReadFile(path) : std::string());
    for (std::string word; text >> word;)
        words.push_back(word);
    return words;
}

std::vector<std::string> CupsTestServer::JobLogLines(int id) const {
    const std::string mark = "[Job " + std::to_string(id) + "] ";
    std::vector<std::string> lines;
    std::istringstream log(ReadFile(dir_ / "log" / "error_log"));
    for (std::string line; std::getline(log, line);) {
        if (line.find(mark) != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

SilentServer::SilentServer() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    const int fd = socket_.Get();
    if (fd < 0 || ::bind(fd, generic, size) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, generic, &size) != 0)
        throw std::runtime_error("no loopback port to listen on");
    address_ = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
}

} // namespace zl::test
