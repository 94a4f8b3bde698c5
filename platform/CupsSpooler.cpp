#include "platform/CupsSpooler.h"

#include "platform/CupsDestDetails.h"
#include "platform/CupsLibrary.h"
#include "platform/SilentServerWatch.h"

#include <algorithm>

namespace zl {

namespace {

const char* const kNoLibrary = "the CUPS library (libcups.so.2) cannot be loaded";

struct DestFreer {
    void operator()(cups_dest_t* dest) const {
        if (dest)
            CupsLibrary::Get()->cupsFreeDests(1, dest);
    }
};
using DestPtr = std::unique_ptr<cups_dest_t, DestFreer>;

struct DestInfoFreer {
    void operator()(cups_dinfo_t* info) const {
        if (info)
            CupsLibrary::Get()->cupsFreeDestInfo(info);
    }
};
using DestInfoPtr = std::unique_ptr<cups_dinfo_t, DestInfoFreer>;

// "queue/instance", as lpoptions names instances.
std::string DestName(const cups_dest_t& dest) {
    std::string name = dest.name;
    if (dest.instance)
        name += std::string("/") + dest.instance;
    return name;
}

// "queue/instance" into its parts; the instance is empty when there is none.
void SplitName(const std::string& name, std::string& queue, std::string& instance) {
    auto slash = name.find('/');
    queue = name.substr(0, slash);
    instance = slash == std::string::npos ? std::string() : name.substr(slash + 1);
}

const char* InstanceOrNull(const std::string& instance) {
    return instance.empty() ? nullptr : instance.c_str();
}

bool IppOk(ipp_status_t status) {
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

// The last error for a server that could not be asked.
std::uint32_t ErrorOf(CupsFault fault) {
    return fault == CupsFault::Unreachable || fault == CupsFault::Closed ? RPC_S_SERVER_UNAVAILABLE
                                                                         : ERROR_NOT_READY;
}

} // namespace

// One open destination. A document is one CUPS job whose bytes are streamed
// as they are gathered, on the printer's own connection, made at the first
// document and kept for the next ones.
class CupsSpooler::Printer : public DocumentPrinter {
public:
    Printer(CupsSpooler& owner, const CupsLibrary& cups, std::string name, std::string queue)
        : DocumentPrinter(owner), spooler_(owner), cups_(cups),
          connection_(cups, owner.Address(), owner.limits_.connect), name_(std::move(name)),
          queue_(std::move(queue)) {}

    // The destination as it was opened: "queue" or "queue/instance".
    const std::string& Name() const { return name_; }

protected:
    std::uint32_t DoBegin(const DocInfo1& doc) override {
        CancelLeftJobs();
        const char* title = doc.docName.c_str();
        spooler_.UseServer();
        int id = 0;
        const CupsFault fault = connection_.Run(spooler_.limits_.jobRequest, [&](http_t* http) {
            id = cups_.cupsCreateJob(http, queue_.c_str(), title, 0, nullptr);
            return id > 0;
        });
        if (id <= 0) {
            SetCause(CauseOf(fault));
            return 0;
        }
        jobId_ = id;
        const char* format = doc.dataType == "RAW" ? CUPS_FORMAT_RAW : CUPS_FORMAT_AUTO;
        connection_.Limit(spooler_.limits_.jobData);
        const http_status_t status =
            cups_.cupsStartDocument(connection_.Open(), queue_.c_str(), id, title, format, 1);
        if (status != HTTP_STATUS_CONTINUE) {
            const std::string cause = CauseOfFailedCall(status == HTTP_STATUS_ERROR);
            DoCancel();
            SetCause(cause);
            return 0;
        }
        return static_cast<std::uint32_t>(id);
    }

    bool DoFinish(bool delivered) override {
        if (!delivered) {
            DoCancel();
            return false;
        }
        jobId_ = 0;
        if (!connection_.IsOpen())
            return false;
        spooler_.UseServer();
        connection_.Limit(spooler_.limits_.jobData);
        const ipp_status_t status = cups_.cupsFinishDocument(connection_.Open(), queue_.c_str());
        if (IppOk(status))
            return true;
        // libcups gives these when the answer could not be read at all.
        SetCause(CauseOfFailedCall(status == IPP_STATUS_ERROR_INTERNAL ||
                                   status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE));
        return false;
    }

    // Drops the upload and cancels the job on a fresh connection, so that no
    // part of the document is printed. When the server cannot be reached,
    // the job is cancelled before the spooler's next document instead.
    bool DoCancel() override {
        const int id = jobId_;
        jobId_ = 0;
        connection_.Close();
        return id > 0 && CancelJob(queue_, id);
    }

    bool Deliver(const char* data, std::size_t count) override {
        // The upload lives on the job's connection: a new one cannot go on with it.
        if (!connection_.IsOpen())
            return false;
        connection_.Limit(spooler_.limits_.jobData);
        const http_status_t status = cups_.cupsWriteRequestData(connection_.Open(), data, count);
        if (status == HTTP_STATUS_CONTINUE)
            return true;
        SetCause(CauseOfFailedCall(status == HTTP_STATUS_ERROR));
        return false;
    }

private:
    bool CancelJob(const std::string& queue, int id) {
        spooler_.UseServer();
        ipp_status_t status = IPP_STATUS_OK;
        const CupsFault fault = connection_.Run(spooler_.limits_.jobRequest, [&](http_t* http) {
            status = cups_.cupsCancelJob2(http, queue.c_str(), id, 0);
            return IppOk(status);
        });
        if (fault != CupsFault::None)
            spooler_.leftJobs_.push_back({queue, id});
        return IppOk(status) && fault == CupsFault::None;
    }

    // Cancels the jobs whose cancel could not reach the server before.
    void CancelLeftJobs() {
        std::vector<LeftJob> jobs;
        jobs.swap(spooler_.leftJobs_);
        for (auto job = jobs.begin(); job != jobs.end(); ++job) {
            CancelJob(job->queue, job->id);
            if (!spooler_.leftJobs_.empty()) { // still out of reach: the rest wait too
                spooler_.leftJobs_.insert(spooler_.leftJobs_.end(), job + 1, jobs.end());
                return;
            }
        }
    }

    // Why a call that failed with `fault` did: the connection's trouble, or
    // the server's own words when it answered.
    std::string CauseOf(CupsFault fault) const {
        if (fault != CupsFault::None)
            return connection_.Cause(fault);
        const char* text = cups_.cupsLastErrorString();
        return text ? text : "";
    }

    // Why the last call failed; `cutOff` when the call says the exchange
    // broke off (the server closed the connection without a word).
    std::string CauseOfFailedCall(bool cutOff) {
        CupsFault fault = connection_.FaultOfFailedCall();
        if (fault == CupsFault::None && cutOff)
            fault = CupsFault::Closed;
        if (fault != CupsFault::None)
            connection_.Close(); // in the middle of an exchange: not to be used again
        return CauseOf(fault);
    }

    CupsSpooler& spooler_;
    const CupsLibrary& cups_;
    CupsConnection connection_;
    std::string name_;
    std::string queue_;
    int jobId_ = 0;
};

CupsSpooler::CupsSpooler(std::string server, CupsTimeLimits limits)
    : server_(std::move(server)), limits_(limits) {}

CupsSpooler::~CupsSpooler() = default;

const CupsServerAddress& CupsSpooler::Address() {
    if (!address_)
        address_ = CupsServerAddress::Of(*CupsLibrary::Get(), server_);
    return *address_;
}

void CupsSpooler::UseServer() const {
    // Some job calls look the printer up on the process-wide server rather
    // than on the connection they are given: point that at this server too.
    const CupsLibrary* cups = CupsLibrary::Get();
    if (!cups || server_.empty() || !address_)
        return;
    if (server_ != cups->cupsServer())
        cups->cupsSetServer(server_.c_str());
    cups->ippSetPort(address_->port);
}

void CupsSpooler::RefreshLookups() {
    destinations_.reset();
    choices_.clear();
}

// A look-up that found the server silent starts a watch on it; until the
// watch hears the server answer, look-ups fail at once with the same cause.
void CupsSpooler::WatchSilentServer() {
    if (!watch_) {
        // The watch asks on a connection of its own and keeps only copies.
        const CupsLibrary* cups = CupsLibrary::Get();
        const CupsServerAddress address = Address();
        const CupsTimeLimits limits = limits_;
        watch_ = std::make_unique<SilentServerWatch>(
            [cups, address, limits] {
                CupsConnection probe(*cups, address, limits.connect);
                return probe.Run(limits.lookup, [cups](http_t* http) {
                    cups_dest_t* dests = nullptr;
                    const int count = cups->cupsGetDests2(http, &dests);
                    cups->cupsFreeDests(count, dests);
                    return true;
                }) == CupsFault::None;
            },
            limits.lookup);
    }
    watch_->Start();
}

bool CupsSpooler::Ask(const std::function<bool(_http_s*)>& request) {
    if (!silentCause_.empty()) {
        if (watch_ && watch_->Silent()) {
            SetLastError(ERROR_NOT_READY, silentCause_);
            return false;
        }
        silentCause_.clear(); // the server answered the watch: ask it again
    }
    const CupsLibrary* cups = CupsLibrary::Get();
    if (!cups) {
        SetLastError(RPC_S_SERVER_UNAVAILABLE, kNoLibrary);
        return false;
    }
    if (!lookups_)
        lookups_ = std::make_unique<CupsConnection>(*cups, Address(), limits_.connect);
    const CupsFault fault = lookups_->Run(limits_.lookup, request);
    if (fault == CupsFault::None)
        return true;
    const std::string cause = lookups_->Cause(fault);
    if (fault == CupsFault::Silent) {
        silentCause_ = cause;
        WatchSilentServer();
    }
    SetLastError(ErrorOf(fault), cause);
    return false;
}

bool CupsSpooler::ReadDestinations() {
    if (destinations_)
        return true;
    std::vector<Destination> found;
    const bool asked = Ask([&](http_t* http) {
        const CupsLibrary& cups = *CupsLibrary::Get();
        cups_dest_t* dests = nullptr;
        const int count = cups.cupsGetDests2(http, &dests);
        found.clear();
        for (int i = 0; i < count; ++i)
            found.push_back({DestName(dests[i]), dests[i].is_default != 0});
        cups.cupsFreeDests(count, dests);
        return count > 0;
    });
    if (asked)
        destinations_ = std::move(found);
    return asked;
}

std::string CupsSpooler::DefaultPrinterName() {
    if (!ReadDestinations())
        return {};
    for (const Destination& dest : *destinations_) {
        if (dest.isDefault)
            return dest.name;
    }
    return {};
}

bool CupsSpooler::EnumPrinters(std::uint32_t flags, std::uint32_t /*level*/,
                               std::vector<PrinterInfo>& out) {
    out.clear();
    if (!ReadDestinations())
        return false;
    for (const Destination& dest : *destinations_) {
        if (dest.isDefault || !(flags & PRINTER_ENUM_DEFAULT))
            out.push_back({dest.name, dest.name});
    }
    SetLastError(ERROR_SUCCESS);
    return true;
}

std::int32_t CupsSpooler::PrinterJobCount(const std::string& printer) {
    const std::string queue = printer.substr(0, printer.find('/'));
    if (queue.empty())
        return -1;
    int count = -1;
    Ask([&](http_t* http) {
        const CupsLibrary& cups = *CupsLibrary::Get();
        cups_job_t* jobs = nullptr;
        count = cups.cupsGetJobs2(http, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
        if (jobs)
            cups.cupsFreeJobs(count, jobs);
        return count >= 0;
    });
    return count < 0 ? -1 : count;
}

bool CupsSpooler::OpenPrinter(const std::string& name, PrinterHandle& handle) {
    handle = nullptr;
    std::string queue, instance;
    SplitName(name, queue, instance);
    bool known = false;
    // Asked afresh, so that a job finds a server gone since the last look-up.
    const bool asked = !queue.empty() && Ask([&](http_t* http) {
        DestPtr dest(
            CupsLibrary::Get()->cupsGetNamedDest(http, queue.c_str(), InstanceOrNull(instance)));
        known = dest != nullptr;
        return known;
    });
    if (!asked && !queue.empty())
        return false;
    if (!known) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return false;
    }
    handle = new Printer(*this, *CupsLibrary::Get(), name, queue);
    return true;
}

bool CupsSpooler::ReadChoices(const std::string& name, CupsDestChoices& out) {
    auto known = choices_.find(name);
    if (known == choices_.end()) {
        ChoicesAnswer answer;
        if (!AskChoices(name, answer))
            return false;
        known = choices_.emplace(name, std::move(answer)).first;
    }
    out = known->second.choices;
    SetLastError(known->second.error);
    return known->second.error == ERROR_SUCCESS;
}

bool CupsSpooler::AskChoices(const std::string& name, ChoicesAnswer& out) {
    std::string queue, instance;
    SplitName(name, queue, instance);
    if (queue.empty()) {
        out.error = ERROR_INVALID_PRINTER_NAME;
        return true;
    }
    const CupsLibrary& cups = *CupsLibrary::Get();
    bool described = false;
    const bool asked = Ask([&](http_t* http) {
        out = ChoicesAnswer{};
        DestPtr dest(cups.cupsGetNamedDest(http, queue.c_str(), InstanceOrNull(instance)));
        if (!dest) {
            out.error = ERROR_INVALID_PRINTER_NAME;
            return false;
        }
        // CUPS asks the server for the destination's details only when the
        // connection goes to the server it would use itself; otherwise it
        // tries the device.
        UseServer();
        DestInfoPtr info(cups.cupsCopyDestInfo(http, dest.get()));
        if (info)
            out.choices = ChoicesOfDest(cups, http, dest.get(), info.get());
        described = info != nullptr;
        return described;
    });
    if (asked && !described && out.error == ERROR_SUCCESS) {
        // Answered, but without the details: not kept, asked again next time.
        SetLastError(ERROR_NOT_READY);
        return false;
    }
    return asked;
}

std::int32_t CupsSpooler::DeviceCapabilities(const std::string& device, const std::string&,
                                             std::uint16_t capability, DeviceCapabilityData& out,
                                             const DeviceMode*) {
    out = DeviceCapabilityData{};
    switch (capability) {
    case DC_PAPERS:
    case DC_PAPERNAMES:
    case DC_PAPERSIZE:
    case DC_BINS:
    case DC_BINNAMES:
    case DC_DUPLEX:
        break;
    default:
        return -1;
    }
    CupsDestChoices choices;
    if (!ReadChoices(device, choices))
        return -1;
    for (const CupsForm& form : choices.forms) {
        if (capability == DC_PAPERS)
            out.codes.push_back(form.code);
        else if (capability == DC_PAPERNAMES)
            out.names.push_back(form.name);
        else if (capability == DC_PAPERSIZE)
            out.sizes.push_back(form.size);
    }
    for (const CupsBin& bin : choices.bins) {
        if (capability == DC_BINS)
            out.codes.push_back(bin.code);
        else if (capability == DC_BINNAMES)
            out.names.push_back(bin.name);
    }
    switch (capability) {
    case DC_DUPLEX:
        return choices.duplex ? 1 : 0;
    case DC_BINS:
    case DC_BINNAMES:
        return static_cast<std::int32_t>(choices.bins.size());
    default:
        return static_cast<std::int32_t>(choices.forms.size());
    }
}

DeviceMode CupsSpooler::DefaultDeviceMode(DocumentPrinter& printer, const std::string& device) {
    // Every printer this spooler opens is one of its own.
    CupsDestChoices choices;
    if (!ReadChoices(static_cast<Printer&>(printer).Name(), choices))
        return DocumentSpooler::DefaultDeviceMode(printer, device);
    return DefaultDeviceModeOf(choices, device);
}

} // namespace zl
