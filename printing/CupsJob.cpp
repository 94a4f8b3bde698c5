#include "printing/CupsJob.h"

#include "platform/Interruption.h"
#include "printing/CupsLibrary.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace zl {

namespace {

bool IppOk(ipp_status_t status) {
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

// Whether the server refused a new job only because its queue is full: for
// a while, not for good. CUPS says that of its job limits as "not possible",
// in words of its own ("Too many active jobs.").
bool QueueIsFull(ipp_status_t status, const char* words) {
    if (status == IPP_STATUS_ERROR_TOO_MANY_JOBS || status == IPP_STATUS_ERROR_BUSY)
        return true;
    return status == IPP_STATUS_ERROR_NOT_POSSIBLE && words &&
           std::strncmp(words, "Too many", 8) == 0;
}

// How often a job that waits for room asks again.
constexpr std::chrono::seconds kRoomAskedEvery{1};

// `time` in words: "90 s", "10 min".
std::string InWords(std::chrono::milliseconds time) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(time).count();
    if (seconds >= 120 && seconds % 60 == 0)
        return std::to_string(seconds / 60) + " min";
    return std::to_string(seconds) + " s";
}

} // namespace

CupsJob::CupsJob(CupsPrintService& service, const CupsLibrary& cups, std::string queue,
                 CupsJobOptions options)
    : service_(service), cups_(cups), connection_(cups, service.Address(), service.limits_.connect),
      queue_(std::move(queue)), options_(std::move(options)) {}

std::uint32_t CupsJob::DoBegin(const std::string& documentName, DataType type) {
    CancelLeftJobs();
    const char* title = documentName.c_str();
    service_.UseServer();
    // libcups only reads the options it is given.
    std::vector<cups_option_t> options;
    for (const auto& [name, value] : options_)
        options.push_back({const_cast<char*>(name.c_str()), const_cast<char*>(value.c_str())});
    const int id = CreateJob(title, options);
    if (id <= 0)
        return 0;
    jobId_ = id;
    const char* format = type == DataType::Raw ? CUPS_FORMAT_RAW : CUPS_FORMAT_AUTO;
    connection_.Limit(service_.limits_.jobData);
    const http_status_t status =
        cups_.cupsStartDocument(connection_.Open(), queue_.c_str(), id, title, format, 1);
    if (status != HTTP_STATUS_CONTINUE) {
        const FailureCause cause = CauseOfFailedCall(status == HTTP_STATUS_ERROR);
        DoCancel();
        SetCause(cause);
        return 0;
    }
    return static_cast<std::uint32_t>(id);
}

int CupsJob::CreateJob(const char* title, std::vector<cups_option_t>& options) {
    const FullQueueWait& wait = service_.fullQueueWait_;
    const auto giveUp = std::chrono::steady_clock::now() + wait.limit;
    for (bool said = false;; said = true) {
        int id = 0;
        const CupsFault fault = connection_.Run(service_.limits_.jobRequest, [&](http_t* http) {
            id = cups_.cupsCreateJob(http, queue_.c_str(), title, static_cast<int>(options.size()),
                                     options.empty() ? nullptr : options.data());
            return id > 0;
        });
        if (id > 0)
            return id;
        const FailureCause cause = CauseOf(fault);
        const auto left = giveUp - std::chrono::steady_clock::now();
        if (fault != CupsFault::None ||
            !QueueIsFull(cups_.cupsLastError(), cups_.cupsLastErrorString()) || left.count() <= 0) {
            SetCause(said ? "the queue stayed full for " + InWords(wait.limit) + ": " + cause.words
                          : cause);
            return 0;
        }
        if (!said && wait.onWaiting)
            wait.onWaiting(queue_);
        const auto pause = std::min<std::chrono::steady_clock::duration>(kRoomAskedEvery, left);
        if (!PauseUnlessWoken(std::chrono::duration_cast<std::chrono::milliseconds>(pause),
                              wait.cancelWake)) {
            SetCause("cancelled while waiting for room in the queue");
            return 0;
        }
    }
}

bool CupsJob::DoFinish(bool delivered) {
    if (!delivered) {
        DoCancel();
        return false;
    }
    jobId_ = 0;
    if (!connection_.IsOpen())
        return false;
    service_.UseServer();
    connection_.Limit(service_.limits_.jobData);
    const ipp_status_t status = cups_.cupsFinishDocument(connection_.Open(), queue_.c_str());
    if (IppOk(status))
        return true;
    // libcups gives these when the answer could not be read at all.
    SetCause(CauseOfFailedCall(status == IPP_STATUS_ERROR_INTERNAL ||
                               status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE));
    return false;
}

bool CupsJob::DoCancel() {
    const int id = jobId_;
    jobId_ = 0;
    connection_.Close();
    return id > 0 && CancelJob(queue_, id);
}

bool CupsJob::Deliver(const char* data, std::size_t count) {
    // The upload lives on the job's connection: a new one cannot go on with it.
    if (!connection_.IsOpen())
        return false;
    connection_.Limit(service_.limits_.jobData);
    const http_status_t status = cups_.cupsWriteRequestData(connection_.Open(), data, count);
    if (status == HTTP_STATUS_CONTINUE)
        return true;
    SetCause(CauseOfFailedCall(status == HTTP_STATUS_ERROR));
    return false;
}

bool CupsJob::CancelJob(const std::string& queue, int id) {
    service_.UseServer();
    ipp_status_t status = IPP_STATUS_OK;
    const CupsFault fault = connection_.Run(service_.limits_.jobRequest, [&](http_t* http) {
        status = cups_.cupsCancelJob2(http, queue.c_str(), id, 0);
        return IppOk(status);
    });
    if (fault != CupsFault::None)
        service_.leftJobs_.push_back({queue, id});
    return IppOk(status) && fault == CupsFault::None;
}

void CupsJob::CancelLeftJobs() {
    std::vector<CupsPrintService::LeftJob> jobs;
    jobs.swap(service_.leftJobs_);
    for (auto job = jobs.begin(); job != jobs.end(); ++job) {
        CancelJob(job->queue, job->id);
        if (!service_.leftJobs_.empty()) { // still out of reach: the rest wait too
            service_.leftJobs_.insert(service_.leftJobs_.end(), job + 1, jobs.end());
            return;
        }
    }
}

FailureCause CupsJob::CauseOf(CupsFault fault) const {
    if (fault != CupsFault::None)
        return connection_.Cause(fault);
    const char* text = cups_.cupsLastErrorString();
    if (cups_.cupsLastError() == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS)
        return {CauseKind::NotAcceptingJobs, text ? text : "", queue_};
    return std::string(text ? text : "");
}

FailureCause CupsJob::CauseOfFailedCall(bool cutOff) {
    CupsFault fault = connection_.FaultOfFailedCall();
    if (fault == CupsFault::None && cutOff)
        fault = CupsFault::Closed;
    if (fault != CupsFault::None)
        connection_.Close(); // in the middle of an exchange: not to be used again
    return CauseOf(fault);
}

} // namespace zl
