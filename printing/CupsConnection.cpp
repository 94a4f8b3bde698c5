#include "printing/CupsConnection.h"

#include "platform/Interruption.h"
#include "printing/CupsLibrary.h"

#include <cstdlib>

namespace zl {

namespace {

// How long one wait for the server lasts before the time limit and the stop
// signal are looked at again.
constexpr double kWaitSeconds = 0.25;

bool IsSocketPath(const std::string& host) {
    return !host.empty() && host[0] == '/';
}

} // namespace

CupsServerAddress CupsServerAddress::Of(const CupsLibrary& cups, const std::string& server) {
    CupsServerAddress address;
    address.host = server.empty() ? std::string(cups.cupsServer()) : server;
    address.port = cups.ippPort();
    if (IsSocketPath(address.host))
        return address;
    // "host:port", but not the colons of a bracketed IPv6 address.
    const auto colon = address.host.rfind(':');
    if (colon != std::string::npos && address.host.find(']', colon) == std::string::npos) {
        address.port = std::atoi(address.host.c_str() + colon + 1);
        address.host.resize(colon);
    }
    return address;
}

std::string CupsServerAddress::Label() const {
    return IsSocketPath(host) ? host : host + ":" + std::to_string(port);
}

CupsConnection::CupsConnection(const CupsLibrary& cups, CupsServerAddress address,
                               std::chrono::milliseconds connectLimit)
    : cups_(cups), address_(std::move(address)), connectLimit_(connectLimit) {}

CupsConnection::~CupsConnection() {
    Close();
}

_http_s* CupsConnection::Open() {
    gaveUp_ = CupsFault::None;
    if (http_)
        return http_;
    http_ = cups_.httpConnect2(address_.host.c_str(), address_.port, nullptr, AF_UNSPEC,
                               cups_.cupsEncryption(), 1, static_cast<int>(connectLimit_.count()),
                               nullptr);
    if (http_)
        cups_.httpSetTimeout(http_, kWaitSeconds, &CupsConnection::KeepWaiting, this);
    return http_;
}

void CupsConnection::Close() {
    if (http_)
        cups_.httpClose(http_);
    http_ = nullptr;
}

CupsFault CupsConnection::Run(std::chrono::milliseconds limit,
                              const std::function<bool(_http_s*)>& call) {
    for (int attempt = 0;; ++attempt) {
        _http_s* http = Open();
        if (!http)
            return CupsFault::Unreachable;
        Limit(limit);
        if (call(http))
            return CupsFault::None;
        const CupsFault fault = FaultOfFailedCall();
        if (fault == CupsFault::None)
            return fault;
        Close(); // in the middle of an exchange: not to be used again
        if (fault != CupsFault::Closed || attempt > 0)
            return fault;
    }
}

void CupsConnection::Limit(std::chrono::milliseconds limit) {
    deadline_ = std::chrono::steady_clock::now() + limit;
    gaveUp_ = CupsFault::None;
}

int CupsConnection::KeepWaiting(_http_s*, void* connection) {
    auto& self = *static_cast<CupsConnection*>(connection);
    if (StopSignal() != 0)
        self.gaveUp_ = CupsFault::Stopped;
    else if (std::chrono::steady_clock::now() >= self.deadline_)
        self.gaveUp_ = CupsFault::Silent;
    return self.gaveUp_ == CupsFault::None ? 1 : 0;
}

CupsFault CupsConnection::FaultOfFailedCall() const {
    if (gaveUp_ != CupsFault::None)
        return gaveUp_;
    if (!http_)
        return CupsFault::Unreachable;
    // The connection notes a system error once it could not send a request
    // or read an answer; an answer, even a refusal, leaves none. (libcups's
    // own status cannot tell: a look-up cut off says "not found".)
    return cups_.httpError(http_) != 0 ? CupsFault::Closed : CupsFault::None;
}

FailureCause CupsConnection::Cause(CupsFault fault) const {
    const std::string label = address_.Label();
    const std::string server = "the print server " + label;
    switch (fault) {
    case CupsFault::Unreachable:
        return {CauseKind::ServerUnreachable, "cannot reach " + server, label};
    case CupsFault::Silent:
        return {CauseKind::ServerSilent, server + " does not answer", label};
    case CupsFault::Closed:
        return {CauseKind::ServerClosed, server + " closed the connection", label};
    case CupsFault::Stopped:
        return {CauseKind::Stopped, "stopped by a signal"};
    case CupsFault::None:
        break;
    }
    return {};
}

} // namespace zl
