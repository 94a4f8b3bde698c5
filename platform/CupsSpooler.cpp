#include "platform/CupsSpooler.h"

#include "platform/CupsLibrary.h"

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

// "queue/instance", as lpoptions names instances.
std::string DestName(const cups_dest_t& dest) {
    std::string name = dest.name;
    if (dest.instance)
        name += std::string("/") + dest.instance;
    return name;
}

bool IppOk(ipp_status_t status) {
    return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

} // namespace

// One open destination with its own connection; a document is one CUPS job
// whose bytes are streamed as they are gathered.
class CupsSpooler::Printer : public DocumentPrinter {
public:
    Printer(CupsSpooler& owner, const CupsLibrary& cups, HttpPtr http, std::string queue)
        : DocumentPrinter(owner), spooler_(owner), cups_(cups), http_(std::move(http)),
          queue_(std::move(queue)) {}

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

bool CupsSpooler::OpenPrinter(const std::string& name, PrinterHandle& handle) {
    handle = nullptr;
    auto slash = name.find('/');
    std::string queue = name.substr(0, slash);
    std::string instance = slash == std::string::npos ? std::string() : name.substr(slash + 1);
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
    handle = new Printer(*this, *CupsLibrary::Get(), std::move(http), queue);
    return true;
}

} // namespace zl
