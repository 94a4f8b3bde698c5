#include "platform/CupsSpooler.h"

#include "platform/CupsLibrary.h"
#include "platform/CupsMediaCodes.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace zl {

namespace {

constexpr int kConnectTimeoutMs = 5000;

struct HttpCloser {
    void operator()(http_t* http) const {
        if (http)
            CupsLibrary::Get()->httpClose(http);
    }
};
using HttpPtr = std::unique_ptr<http_t, HttpCloser>;

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

bool IppOk(ipp_status_t status) {
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

// Hundredths of a millimetre to tenths, to the nearest.
std::int32_t Tenths(int hundredths) {
    return hundredths > 0 ? (hundredths + 5) / 10 : 0;
}

std::string TextOr(const char* text, const std::string& fallback) {
    return text && *text ? std::string(text) : fallback;
}

// The first value of a string-valued attribute, empty when there is none.
std::string FirstString(const CupsLibrary& cups, ipp_attribute_t* attr) {
    const char* value = attr ? cups.ippGetString(attr, 0, nullptr) : nullptr;
    return value ? std::string(value) : std::string();
}

} // namespace

// One open destination with its own connection; a document is one CUPS job
// whose bytes are streamed as they are gathered.
class CupsSpooler::Printer : public DocumentPrinter {
public:
    Printer(CupsSpooler& owner, const CupsLibrary& cups, HttpPtr http, std::string name,
            std::string queue)
        : DocumentPrinter(owner), spooler_(owner), cups_(cups), http_(std::move(http)),
          name_(std::move(name)), queue_(std::move(queue)) {}

    // The destination as it was opened: "queue" or "queue/instance".
    const std::string& Name() const { return name_; }

protected:
    std::uint32_t DoBegin(const DocInfo1& doc) override {
        if (!http_)
            return 0;
        const char* title = doc.docName.c_str();
        spooler_.UseServer();
        int id = cups_.cupsCreateJob(http_.get(), queue_.c_str(), title, 0, nullptr);
        if (id <= 0)
            return 0;
        jobId_ = id;
        const char* format = doc.dataType == "RAW" ? CUPS_FORMAT_RAW : CUPS_FORMAT_AUTO;
        if (cups_.cupsStartDocument(http_.get(), queue_.c_str(), id, title, format, 1) !=
            HTTP_STATUS_CONTINUE) {
            DoCancel();
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
        spooler_.UseServer();
        return IppOk(cups_.cupsFinishDocument(http_.get(), queue_.c_str()));
    }

    // Drops the upload and cancels the job on a fresh connection, so that no
    // part of the document is printed.
    bool DoCancel() override {
        int id = jobId_;
        jobId_ = 0;
        http_.reset(spooler_.Connect());
        spooler_.UseServer();
        return http_ && id > 0 && IppOk(cups_.cupsCancelJob2(http_.get(), queue_.c_str(), id, 0));
    }

    bool Deliver(const char* data, std::size_t count) override {
        return cups_.cupsWriteRequestData(http_.get(), data, count) == HTTP_STATUS_CONTINUE;
    }

private:
    CupsSpooler& spooler_;
    const CupsLibrary& cups_;
    HttpPtr http_;
    std::string name_;
    std::string queue_;
    int jobId_ = 0;
};

CupsSpooler::CupsSpooler(std::string server) : server_(std::move(server)) {}

void CupsSpooler::UseServer() const {
    // Some job calls look the printer up on the process-wide server rather
    // than on the connection they are given: point that at this server too.
    const CupsLibrary* cups = CupsLibrary::Get();
    if (!cups || server_.empty())
        return;
    if (server_ != cups->cupsServer())
        cups->cupsSetServer(server_.c_str());
    cups->ippSetPort(Port());
}

int CupsSpooler::Port() const {
    const CupsLibrary* cups = CupsLibrary::Get();
    auto colon = server_.rfind(':');
    bool ipv6Literal =
        server_.find(']', colon == std::string::npos ? 0 : colon) != std::string::npos;
    if (server_.empty() || server_[0] == '/' || colon == std::string::npos || ipv6Literal)
        return cups->ippPort();
    return std::atoi(server_.c_str() + colon + 1);
}

_http_s* CupsSpooler::Connect() const {
    const CupsLibrary* cups = CupsLibrary::Get();
    if (!cups)
        return nullptr;
    std::string host = server_.empty() ? cups->cupsServer() : server_;
    auto colon = host.rfind(':');
    if (!server_.empty() && host[0] != '/' && colon != std::string::npos &&
        host.find(']', colon) == std::string::npos)
        host.resize(colon);
    return cups->httpConnect2(host.c_str(), Port(), nullptr, AF_UNSPEC, cups->cupsEncryption(), 1,
                              kConnectTimeoutMs, nullptr);
}

std::string CupsSpooler::DefaultPrinterName() {
    HttpPtr http(Connect());
    if (!http)
        return {};
    const CupsLibrary& cups = *CupsLibrary::Get();
    cups_dest_t* dest = cups.cupsGetNamedDest(http.get(), nullptr, nullptr);
    if (!dest)
        return {};
    std::string name = DestName(*dest);
    cups.cupsFreeDests(1, dest);
    return name;
}

bool CupsSpooler::EnumPrinters(std::uint32_t flags, std::uint32_t /*level*/,
                               std::vector<PrinterInfo>& out) {
    out.clear();
    SetLastError(ERROR_SUCCESS);
    if (flags & PRINTER_ENUM_DEFAULT) {
        std::string name = DefaultPrinterName();
        if (!name.empty())
            out.push_back({name, name});
        return true;
    }
    HttpPtr http(Connect());
    if (!http)
        return true; // no server, no printers
    const CupsLibrary& cups = *CupsLibrary::Get();
    cups_dest_t* dests = nullptr;
    int count = cups.cupsGetDests2(http.get(), &dests);
    for (int i = 0; i < count; ++i) {
        std::string name = DestName(dests[i]);
        out.push_back({name, name});
    }
    cups.cupsFreeDests(count, dests);
    return true;
}

std::int32_t CupsSpooler::PrinterJobCount(const std::string& printer) {
    const std::string queue = printer.substr(0, printer.find('/'));
    HttpPtr http(queue.empty() ? nullptr : Connect());
    if (!http)
        return -1;
    const CupsLibrary& cups = *CupsLibrary::Get();
    cups_dest_t* dest = cups.cupsGetNamedDest(http.get(), queue.c_str(), nullptr);
    if (!dest)
        return -1;
    cups.cupsFreeDests(1, dest);
    cups_job_t* jobs = nullptr;
    const int count = cups.cupsGetJobs2(http.get(), &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
    if (jobs)
        cups.cupsFreeJobs(count, jobs);
    return count < 0 ? -1 : count;
}

bool CupsSpooler::OpenPrinter(const std::string& name, PrinterHandle& handle) {
    handle = nullptr;
    std::string queue, instance;
    SplitName(name, queue, instance);
    HttpPtr http(queue.empty() ? nullptr : Connect());
    cups_dest_t* dest = nullptr;
    if (http)
        dest = CupsLibrary::Get()->cupsGetNamedDest(http.get(), queue.c_str(),
                                                    instance.empty() ? nullptr : instance.c_str());
    if (!dest) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return false;
    }
    CupsLibrary::Get()->cupsFreeDests(1, dest);
    handle = new Printer(*this, *CupsLibrary::Get(), std::move(http), name, queue);
    return true;
}

std::uint32_t CupsSpooler::ReadChoices(const std::string& name, CupsDestChoices& out) const {
    out = CupsDestChoices{};
    std::string queue, instance;
    SplitName(name, queue, instance);
    HttpPtr http(queue.empty() ? nullptr : Connect());
    if (!http)
        return ERROR_INVALID_PRINTER_NAME;
    const CupsLibrary& cups = *CupsLibrary::Get();
    DestPtr dest(cups.cupsGetNamedDest(http.get(), queue.c_str(),
                                       instance.empty() ? nullptr : instance.c_str()));
    if (!dest)
        return ERROR_INVALID_PRINTER_NAME;
    // CUPS asks the server for the destination's details only when the
    // connection goes to the server it would use itself; otherwise it tries
    // the device.
    UseServer();
    DestInfoPtr info(cups.cupsCopyDestInfo(http.get(), dest.get()));
    if (!info)
        return ERROR_NOT_READY;
    http_t* h = http.get();
    cups_dest_t* d = dest.get();
    cups_dinfo_t* i = info.get();

    const unsigned flags = CUPS_MEDIA_FLAGS_DEFAULT;
    const int mediaCount = cups.cupsGetDestMediaCount(h, d, i, flags);
    for (int index = 0; index < mediaCount; ++index) {
        cups_size_t size{};
        if (!cups.cupsGetDestMediaByIndex(h, d, i, index, flags, &size) || !size.media[0])
            continue;
        // A size listed again (with other margins, say) is the same form.
        const std::string pwgName = size.media;
        if (std::any_of(out.forms.begin(), out.forms.end(),
                        [&](const CupsForm& form) { return form.pwgName == pwgName; }))
            continue;
        CupsForm form;
        form.pwgName = pwgName;
        const std::string formName = PaperFormNameOf(PaperCodeOf(pwgName));
        form.name = !formName.empty()
                        ? formName
                        : TextOr(cups.cupsLocalizeDestMedia(h, d, i, flags, &size), pwgName);
        form.size = {Tenths(size.width), Tenths(size.length)};
        out.forms.push_back(std::move(form));
    }

    if (ipp_attribute_t* sources = cups.cupsFindDestSupported(h, d, i, "media-source")) {
        for (int k = 0; k < cups.ippGetCount(sources); ++k) {
            const char* keyword = cups.ippGetString(sources, k, nullptr);
            if (!keyword || !*keyword)
                continue;
            CupsBin bin;
            bin.keyword = keyword;
            bin.name =
                TextOr(cups.cupsLocalizeDestValue(h, d, i, "media-source", keyword), keyword);
            out.bins.push_back(std::move(bin));
        }
    }

    if (ipp_attribute_t* sides = cups.cupsFindDestSupported(h, d, i, "sides")) {
        for (int k = 0; k < cups.ippGetCount(sides) && !out.duplex; ++k) {
            const char* value = cups.ippGetString(sides, k, nullptr);
            out.duplex = value && std::string(value).rfind("two-sided-", 0) == 0;
        }
    }

    out.mediaDefault = FirstString(cups, cups.cupsFindDestDefault(h, d, i, "media"));
    if (!out.mediaDefault.empty()) {
        if (pwg_media_t* media = cups.pwgMediaForPWG(out.mediaDefault.c_str()))
            out.mediaDefaultSize = {Tenths(media->width), Tenths(media->length)};
    }
    out.sourceDefault = FirstString(cups, cups.cupsFindDestDefault(h, d, i, "media-source"));
    if (out.sourceDefault.empty()) {
        // Some printers name their default source only in media-col-default.
        ipp_attribute_t* col = cups.cupsFindDestDefault(h, d, i, "media-col");
        if (ipp_t* media = col ? cups.ippGetCollection(col, 0) : nullptr)
            out.sourceDefault =
                FirstString(cups, cups.ippFindAttribute(media, "media-source", IPP_TAG_ZERO));
    }
    out.sidesDefault = FirstString(cups, cups.cupsFindDestDefault(h, d, i, "sides"));
    ipp_attribute_t* quality = cups.cupsFindDestDefault(h, d, i, "print-quality");
    if (quality && cups.ippGetValueTag(quality) == IPP_TAG_ENUM)
        out.qualityDefault = cups.ippGetInteger(quality, 0);

    AssignCodes(out);
    return ERROR_SUCCESS;
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
    if (std::uint32_t error = ReadChoices(device, choices)) {
        SetLastError(error);
        return -1;
    }
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
    if (ReadChoices(static_cast<Printer&>(printer).Name(), choices) != ERROR_SUCCESS)
        return DocumentSpooler::DefaultDeviceMode(printer, device);
    return DefaultDeviceModeOf(choices, device);
}

} // namespace zl
