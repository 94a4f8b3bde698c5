// One job on a CUPS destination: a CUPS job whose bytes are streamed as they
// come, on a connection of the job's own.
#pragma once

#include "printing/CupsConnection.h"
#include "printing/CupsPrintService.h"
#include "printing/DocumentJob.h"

#include <string>
#include <vector>

struct cups_option_s; // libcups's job option

namespace zl {

struct CupsLibrary;

class CupsJob : public DocumentJob {
public:
    // A job on `queue` that asks for `options`.
    CupsJob(CupsPrintService& service, const CupsLibrary& cups, std::string queue,
            CupsJobOptions options = {});

protected:
    std::uint32_t DoBegin(const std::string& documentName, DataType type) override;
    bool DoFinish(bool delivered) override;
    // Drops the upload and cancels the job on a fresh connection, so that no
    // part of the document is printed. When the server cannot be reached,
    // the job is cancelled before the service's next document instead.
    bool DoCancel() override;
    bool Deliver(const char* data, std::size_t count) override;

private:
    // Creates the CUPS job, waiting for room as the service says when the
    // queue is full; its id, or 0 with the cause set.
    int CreateJob(const char* title, std::vector<cups_option_s>& options);
    bool CancelJob(const std::string& queue, int id);
    // Cancels the jobs whose cancel could not reach the server before.
    void CancelLeftJobs();
    // Why a call that failed with `fault` did: the connection's trouble, or
    // the server's own words when it answered.
    FailureCause CauseOf(CupsFault fault) const;
    // Why the last call failed; `cutOff` when the call says the exchange
    // broke off (the server closed the connection without a word).
    FailureCause CauseOfFailedCall(bool cutOff);

    CupsPrintService& service_;
    const CupsLibrary& cups_;
    CupsConnection connection_;
    std::string queue_;
    CupsJobOptions options_;
    int jobId_ = 0;
};

} // namespace zl
