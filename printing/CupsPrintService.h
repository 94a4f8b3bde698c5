// The print service on a CUPS server: destinations as printers, one CUPS job
// per document, the bytes sent raw or typed by the server. Look-ups share
// one connection and their answers are kept until RefreshLookups(), so that
// a window asking again and again costs the server a few requests; every
// call has a time limit.
#pragma once

#include "printing/CupsConnection.h"
#include "printing/CupsMediaCodes.h"
#include "printing/PrintService.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zl {

class SilentServerWatch;

// Job options by name and value, as lp -o gives them ("sides",
// "two-sided-long-edge").
using CupsJobOptions = std::vector<std::pair<std::string, std::string>>;

class CupsPrintService : public PrintService {
public:
    // `server` is "host", "host:port" or a socket path; empty means the
    // server CUPS itself would use (CUPS_SERVER, client.conf, the default).
    explicit CupsPrintService(std::string server = {}, CupsTimeLimits limits = {});
    ~CupsPrintService() override;

    // A server that cannot be asked fails each of these with the cause in
    // words, naming the server; ServerSilent() when it did not answer in time.
    InstalledPrinters Printers() override;
    // Paper forms, bins and two-sided printing as the destination offers
    // them; an unknown destination fails without a cause.
    PrinterCapabilities Capabilities(const std::string& printer) override;
    std::unique_ptr<PrintJob> OpenJob(const std::string& printer, const std::string& documentName,
                                      DataType type) override;
    // The requests become the job's options: copies, sides, media, and for
    // a bin the PPD's InputSlot choice (else its media-source).
    std::unique_ptr<PrintJob> OpenRequestedJob(const std::string& printer,
                                               const std::string& documentName,
                                               const JobRequests& requests) override;
    void RefreshLookups() override;
    void SetFullQueueWait(FullQueueWait wait) override { fullQueueWait_ = std::move(wait); }
    // Connecting gets no longer than a look-up either.
    void SetLookupTimeLimit(std::chrono::milliseconds limit) override {
        limits_.lookup = limit;
        limits_.connect = std::min(limits_.connect, limit);
    }

private:
    friend class CupsJob;
    struct Destination {
        std::string name; // "queue" or "queue/instance"
        bool isDefault = false;
    };
    struct LeftJob {
        std::string queue;
        int id = 0;
    };
    // What a destination offers; not known when the server does not know it.
    struct ChoicesAnswer {
        bool known = true;
        CupsDestChoices choices;
    };

    // Runs `request` (true when it got what it asked for) on the look-up
    // connection. Returns when the server answered, if only with a refusal;
    // raises in `step` when it could not be asked.
    void Ask(PrintStep step, const std::string& printer,
             const std::function<bool(_http_s*)>& request);
    std::unique_ptr<PrintJob> Open(const std::string& printer, const std::string& documentName,
                                   DataType type, CupsJobOptions options);
    // The destinations, read when not known yet.
    const std::vector<Destination>& Destinations(PrintStep step);
    // What `name` offers, asked once until RefreshLookups().
    const ChoicesAnswer& Choices(const std::string& name);
    ChoicesAnswer AskChoices(const std::string& name);
    void UseServer() const;
    const CupsServerAddress& Address();
    void WatchSilentServer();

    std::string server_;
    CupsTimeLimits limits_;
    FullQueueWait fullQueueWait_;
    std::optional<CupsServerAddress> address_;
    std::unique_ptr<CupsConnection> lookups_;
    // Set once a look-up found the server silent: the look-ups after it fail
    // at once until the watch hears the server answer again.
    FailureCause silentCause_;
    std::unique_ptr<SilentServerWatch> watch_;
    std::optional<std::vector<Destination>> destinations_;
    std::map<std::string, ChoicesAnswer> choices_;
    // Jobs whose cancel could not reach the server: cancelled before the
    // next document starts.
    std::vector<LeftJob> leftJobs_;
};

} // namespace zl
