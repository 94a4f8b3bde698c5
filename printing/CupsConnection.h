// One connection to a CUPS server, opened when first needed and again after
// it broke, with a time limit on connecting and on the requests made on it:
// a server that accepts connections but never answers cannot hold the
// program longer than the limit, nor past a stop signal.
#pragma once

#include "printing/PrintFailure.h"

#include <chrono>
#include <functional>
#include <string>

struct _http_s;

namespace zl {

struct CupsLibrary;

// How long the calls on a CUPS server may take.
struct CupsTimeLimits {
    std::chrono::milliseconds connect{2000};
    // Each look-up (a printer list, a printer's choices, a job count).
    std::chrono::milliseconds lookup{5000};
    // Each request that starts or cancels a job.
    std::chrono::milliseconds jobRequest{5000};
    // Each delivery of job data and the job's completion: the time the
    // server may go without taking anything.
    std::chrono::milliseconds jobData{60000};
};

// Where a CUPS server is.
struct CupsServerAddress {
    std::string host; // a name, an address or a socket path
    int port = 0;

    // `server` is "host", "host:port" or a socket path; empty means the
    // server CUPS itself would use (CUPS_SERVER, client.conf, the default).
    static CupsServerAddress Of(const CupsLibrary& cups, const std::string& server);
    // "host:port", or the socket path.
    std::string Label() const;
};

// Why a call on the connection failed.
enum class CupsFault {
    None,        // the server answered, if only with a refusal
    Unreachable, // no connection could be made
    Silent,      // the server did not answer within the limit
    Closed,      // the server dropped the connection
    Stopped,     // a stop signal ended the wait
};

class CupsConnection {
public:
    CupsConnection(const CupsLibrary& cups, CupsServerAddress address,
                   std::chrono::milliseconds connectLimit);
    ~CupsConnection();
    CupsConnection(const CupsConnection&) = delete;
    CupsConnection& operator=(const CupsConnection&) = delete;

    // The connection, made first when there is none; null when the server
    // cannot be reached.
    _http_s* Open();
    void Close();
    bool IsOpen() const { return http_ != nullptr; }

    // Runs `call` (true when it got what it asked for) within `limit`; when
    // the connection turns out broken (the server restarted, or dropped it
    // while idle), once more on a new one. None when the server answered,
    // if only with a refusal; else what ended it.
    CupsFault Run(std::chrono::milliseconds limit, const std::function<bool(_http_s*)>& call);

    // Gives the calls that follow, together, `limit` to be answered.
    void Limit(std::chrono::milliseconds limit);
    // Why the last call on the connection failed.
    CupsFault FaultOfFailedCall() const;
    // `fault` as a failure's cause, its words naming the server.
    FailureCause Cause(CupsFault fault) const;

private:
    // libcups calls this each time a wait for the server ends without
    // progress: 1 waits on, 0 gives up.
    static int KeepWaiting(_http_s* http, void* connection);

    const CupsLibrary& cups_;
    CupsServerAddress address_;
    std::chrono::milliseconds connectLimit_;
    _http_s* http_ = nullptr;
    std::chrono::steady_clock::time_point deadline_;
    CupsFault gaveUp_ = CupsFault::None;
};

} // namespace zl
