#include "platform/CupsSpooler.h"

#include <cups/cups.h>

#include <cstdlib>
#include <memory>

namespace zl {

namespace {

constexpr int kConnectTimeoutMs = 5000;

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
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
    Printer(CupsSpooler& owner, HttpPtr http, std::string queue)
        : DocumentPrinter(owner), spooler_(owner), http_(std::move(http)),
          queue_(std::move(queue)) {}

protected:
    std::uint32_t DoBegin(const DocInfo1& doc) override {
        if (!http_)
            return 0;
        const char* title = doc.docName.c_str();
        spooler_.UseServer();
        int id = cupsCreateJob(http_.get(), queue_.c_str(), title, 0, nullptr);
        if (id <= 0)
            return 0;
        jobId_ = id;
        const char* format = doc.dataType == "RAW" ? CUPS_FORMAT_RAW : CUPS_FORMAT_AUTO;
        if (cupsStartDocument(http_.get(), queue_.c_str(), id, title, format, 1) !=
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
        return IppOk(cupsFinishDocument(http_.get(), queue_.c_str()));
    }

    // Drops the upload and cancels the job on a fresh connection, so that no
    // part of the document is printed.
    bool DoCancel() override {
        int id = jobId_;
        jobId_ = 0;
        http_.reset(spooler_.Connect());
        spooler_.UseServer();
        return http_ && id > 0 && IppOk(cupsCancelJob2(http_.get(), queue_.c_str(), id, 0));
    }

    bool Deliver(const char* data, std::size_t count) override {
        return cupsWriteRequestData(http_.get(), data, count) == HTTP_STATUS_CONTINUE;
    }

private:
    CupsSpooler& spooler_;
    HttpPtr http_;
    std::string queue_;
    int jobId_ = 0;
};

CupsSpooler::CupsSpooler(std::string server) {
    if (server.empty()) {
        host_ = cupsServer();
        port_ = ippPort();
        return;
    }
    server_ = server;
    host_ = server;
    port_ = ippPort();
    auto colon = server.rfind(':');
    bool ipv6Literal =
        server.find(']', colon == std::string::npos ? 0 : colon) != std::string::npos;
    if (server[0] != '/' && colon != std::string::npos && !ipv6Literal) {
        host_ = server.substr(0, colon);
        port_ = std::atoi(server.c_str() + colon + 1);
    }
}

void CupsSpooler::UseServer() const {
    // Some job calls look the printer up on the process-wide server rather
    // than on the connection they are given: point that at this server too.
    if (!server_.empty() && server_ != cupsServer())
        cupsSetServer(server_.c_str());
    ippSetPort(port_);
}

_http_s* CupsSpooler::Connect() const {
    return httpConnect2(host_.c_str(), port_, nullptr, AF_UNSPEC, cupsEncryption(), 1,
                        kConnectTimeoutMs, nullptr);
}

std::string CupsSpooler::DefaultPrinterName() {
    HttpPtr http(Connect());
    if (!http)
        return {};
    cups_dest_t* dest = cupsGetNamedDest(http.get(), nullptr, nullptr);
    if (!dest)
        return {};
    std::string name = DestName(*dest);
    cupsFreeDests(1, dest);
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
    cups_dest_t* dests = nullptr;
    int count = cupsGetDests2(http.get(), &dests);
    for (int i = 0; i < count; ++i) {
        std::string name = DestName(dests[i]);
        out.push_back({name, name});
    }
    cupsFreeDests(count, dests);
    return true;
}

std::string CupsSpooler::GetProfileString(const std::string&, const std::string&,
                                          const std::string& def) {
    return def;
}

bool CupsSpooler::OpenPrinter(const std::string& name, PrinterHandle& handle) {
    handle = nullptr;
    auto slash = name.find('/');
    std::string queue = name.substr(0, slash);
    std::string instance = slash == std::string::npos ? std::string() : name.substr(slash + 1);
    HttpPtr http(queue.empty() ? nullptr : Connect());
    cups_dest_t* dest = nullptr;
    if (http)
        dest = cupsGetNamedDest(http.get(), queue.c_str(),
                                instance.empty() ? nullptr : instance.c_str());
    if (!dest) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return false;
    }
    cupsFreeDests(1, dest);
    handle = new Printer(*this, std::move(http), queue);
    return true;
}

} // namespace zl
