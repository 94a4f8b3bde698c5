#include "printing/CupsPrintService.h"

#include "printing/CupsDestDetails.h"
#include "printing/CupsJob.h"
#include "printing/CupsLibrary.h"
#include "printing/PpdPclCodes.h"
#include "printing/SilentServerWatch.h"

#include <cstdio>

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

// The destination `queue` (and `instance`) as the server describes it, or null.
DestPtr NamedDest(http_t* http, const std::string& queue, const std::string& instance) {
    return DestPtr(
        CupsLibrary::Get()->cupsGetNamedDest(http, queue.c_str(), InstanceOrNull(instance)));
}

// The PPD the server keeps for `queue`; empty for a queue without one.
std::string QueuePpd(const CupsLibrary& cups, http_t* http, const std::string& queue) {
    std::FILE* file = std::tmpfile();
    if (!file)
        return {};
    std::string ppd;
    const std::string resource = "/printers/" + queue + ".ppd";
    if (cups.cupsGetFd(http, resource.c_str(), fileno(file)) == HTTP_STATUS_OK) {
        std::rewind(file);
        char buffer[16384];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            ppd.append(buffer, n);
    }
    std::fclose(file);
    return ppd;
}

// The IPP keyword of printing on one side or both.
const char* SidesKeyword(DuplexMode sides) {
    switch (sides) {
    case DuplexMode::LongEdge:
        return "two-sided-long-edge";
    case DuplexMode::ShortEdge:
        return "two-sided-short-edge";
    case DuplexMode::Simplex:
        break;
    }
    return "one-sided";
}

} // namespace

CupsPrintService::CupsPrintService(std::string server, CupsTimeLimits limits)
    : server_(std::move(server)), limits_(limits) {}

CupsPrintService::~CupsPrintService() = default;

const CupsServerAddress& CupsPrintService::Address() {
    if (!address_)
        address_ = CupsServerAddress::Of(*CupsLibrary::Get(), server_);
    return *address_;
}

void CupsPrintService::UseServer() const {
    // Some job calls look the printer up on the process-wide server rather
    // than on the connection they are given: point that at this server too.
    const CupsLibrary* cups = CupsLibrary::Get();
    if (!cups || server_.empty() || !address_)
        return;
    if (server_ != cups->cupsServer())
        cups->cupsSetServer(server_.c_str());
    cups->ippSetPort(address_->port);
}

void CupsPrintService::RefreshLookups() {
    destinations_.reset();
    choices_.clear();
}

// A look-up that found the server silent starts a watch on it; until the
// watch hears the server answer, look-ups fail at once with the same cause.
void CupsPrintService::WatchSilentServer() {
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

void CupsPrintService::Ask(PrintStep step, const std::string& printer,
                           const std::function<bool(_http_s*)>& request) {
    if (!silentCause_.words.empty()) {
        if (watch_ && watch_->Silent())
            throw PrintFailure(step, silentCause_, printer, true);
        silentCause_ = {}; // the server answered the watch: ask it again
    }
    const CupsLibrary* cups = CupsLibrary::Get();
    if (!cups)
        throw PrintFailure(step, {CauseKind::LibraryMissing, kNoLibrary, "libcups.so.2"}, printer);
    if (!lookups_)
        lookups_ = std::make_unique<CupsConnection>(*cups, Address(), limits_.connect);
    const CupsFault fault = lookups_->Run(limits_.lookup, request);
    if (fault == CupsFault::None)
        return;
    const FailureCause cause = lookups_->Cause(fault);
    if (fault == CupsFault::Silent) {
        silentCause_ = cause;
        WatchSilentServer();
    }
    // A server that may yet answer is not one that is not there.
    throw PrintFailure(step, cause, printer,
                       fault == CupsFault::Silent || fault == CupsFault::Stopped);
}

const std::vector<CupsPrintService::Destination>& CupsPrintService::Destinations(PrintStep step) {
    if (destinations_)
        return *destinations_;
    std::vector<Destination> found;
    Ask(step, "", [&](http_t* http) {
        const CupsLibrary& cups = *CupsLibrary::Get();
        cups_dest_t* dests = nullptr;
        const int count = cups.cupsGetDests2(http, &dests);
        found.clear();
        for (int i = 0; i < count; ++i)
            found.push_back({DestName(dests[i]), dests[i].is_default != 0});
        cups.cupsFreeDests(count, dests);
        return count > 0;
    });
    destinations_ = std::move(found);
    return *destinations_;
}

InstalledPrinters CupsPrintService::Printers() {
    InstalledPrinters installed;
    for (const Destination& dest : Destinations(PrintStep::ListPrinters)) {
        installed.names.push_back(dest.name);
        if (dest.isDefault && installed.defaultName.empty())
            installed.defaultName = dest.name;
    }
    return installed;
}

std::unique_ptr<PrintJob> CupsPrintService::OpenJob(const std::string& printer,
                                                    const std::string& documentName,
                                                    DataType type) {
    return Open(printer, documentName, type, {});
}

std::unique_ptr<PrintJob> CupsPrintService::OpenRequestedJob(const std::string& printer,
                                                             const std::string& documentName,
                                                             const JobRequests& requests) {
    CupsJobOptions options;
    if (requests.copies > 0)
        options.emplace_back("copies", std::to_string(requests.copies));
    if (requests.sides)
        options.emplace_back("sides", SidesKeyword(*requests.sides));
    if (!requests.media.empty())
        options.emplace_back("media", requests.media);
    if (requests.bin != 0) {
        const ChoicesAnswer& answer = Choices(printer);
        const auto& bins = answer.choices.bins;
        const auto bin = std::find_if(bins.begin(), bins.end(),
                                      [&](const CupsBin& b) { return b.code == requests.bin; });
        if (bin == bins.end())
            throw PrintFailure(PrintStep::Open,
                               "it has no bin with code " + std::to_string(requests.bin), printer);
        // The PPD's own choice is what its filters and CUPS map for sure.
        if (!bin->inputSlot.empty())
            options.emplace_back("InputSlot", bin->inputSlot);
        else
            options.emplace_back("media-source", bin->keyword);
    }
    return Open(printer, documentName, DataType::TypedByServer, std::move(options));
}

std::unique_ptr<PrintJob> CupsPrintService::Open(const std::string& printer,
                                                 const std::string& documentName, DataType type,
                                                 CupsJobOptions options) {
    std::string queue, instance;
    SplitName(printer, queue, instance);
    bool known = false;
    // Asked afresh, so that a job finds a server gone since the last look-up.
    if (!queue.empty()) {
        Ask(PrintStep::Open, printer, [&](http_t* http) {
            known = NamedDest(http, queue, instance) != nullptr;
            return known;
        });
    }
    if (!known)
        throw PrintFailure(PrintStep::Open, "", printer);
    auto job = std::make_unique<CancellingJob<CupsJob>>(*this, *CupsLibrary::Get(), queue,
                                                        std::move(options));
    job->Begin(documentName, type);
    return job;
}

PrinterCapabilities CupsPrintService::Capabilities(const std::string& printer) {
    const ChoicesAnswer& answer = Choices(printer);
    if (!answer.known)
        throw PrintFailure(PrintStep::Describe, "", printer);
    return CapabilitiesOf(answer.choices);
}

const CupsPrintService::ChoicesAnswer& CupsPrintService::Choices(const std::string& name) {
    auto known = choices_.find(name);
    if (known == choices_.end())
        known = choices_.emplace(name, AskChoices(name)).first;
    return known->second;
}

CupsPrintService::ChoicesAnswer CupsPrintService::AskChoices(const std::string& name) {
    std::string queue, instance;
    SplitName(name, queue, instance);
    ChoicesAnswer answer;
    answer.known = !queue.empty();
    if (!answer.known)
        return answer;
    const CupsLibrary& cups = *CupsLibrary::Get();
    bool described = false;
    Ask(PrintStep::Describe, name, [&](http_t* http) {
        answer = ChoicesAnswer{};
        DestPtr dest = NamedDest(http, queue, instance);
        answer.known = dest != nullptr;
        if (!dest)
            return false;
        // CUPS asks the server for the destination's details only when the
        // connection goes to the server it would use itself; otherwise it
        // tries the device.
        UseServer();
        DestInfoPtr info(cups.cupsCopyDestInfo(http, dest.get()));
        if (info) {
            answer.choices = ChoicesOfDest(cups, http, dest.get(), info.get());
            // A PCL printer's PPD gives the commands for its trays and papers.
            ApplyPpdCodes(
                ReadPpdPclCodes(QueuePpd(cups, http, queue)),
                [&cups](const std::string& pageSize) {
                    const pwg_media_t* media = cups.pwgMediaForPPD(pageSize.c_str());
                    return media && media->pwg ? std::string(media->pwg) : std::string();
                },
                answer.choices);
        }
        described = info != nullptr;
        return described;
    });
    // Answered, but without the details: not kept, asked again next time.
    if (answer.known && !described)
        throw PrintFailure(PrintStep::Describe, "", name);
    return answer;
}

} // namespace zl
