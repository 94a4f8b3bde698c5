#include "tests/support/RecordingSpooler.h"

#include <algorithm>
#include <stdexcept>

namespace zl::test {

class RecordingSpooler::Handle : public PrinterObject {
public:
    Handle(Spooler& owner, std::string printer) : PrinterObject(owner), name(std::move(printer)) {}
    std::string name;
    int job = -1;
};

std::string RecordedJob::Bytes() const {
    std::string all;
    for (const std::string& write : writes)
        all += write;
    return all;
}

void RecordingSpooler::Fail(const std::string& operation, int fromCall, std::uint32_t error,
                            std::string cause) {
    failures_[operation] = Failure{fromCall, error, false, std::move(cause)};
}

void RecordingSpooler::Throw(const std::string& operation) {
    failures_[operation] = Failure{0, ERROR_SUCCESS, true, {}};
}

int RecordingSpooler::Count(const std::string& operation) const {
    auto it = counts_.find(operation);
    return it == counts_.end() ? 0 : it->second;
}

bool RecordingSpooler::Enter(const std::string& operation, const std::string& args) {
    calls.push_back(operation + "(" + args + ")");
    int index = counts_[operation]++;
    auto it = failures_.find(operation);
    if (it == failures_.end() || index < it->second.fromCall)
        return true;
    if (it->second.raise)
        throw std::runtime_error(operation + " raised");
    SetLastError(it->second.error, it->second.cause);
    return false;
}

RecordedJob* RecordingSpooler::JobOf(PrinterHandle handle) {
    auto* own = dynamic_cast<Handle*>(handle);
    if (!own || own->job < 0)
        return nullptr;
    return &jobs[static_cast<std::size_t>(own->job)];
}

bool RecordingSpooler::EnumPrinters(std::uint32_t flags, std::uint32_t level,
                                    std::vector<PrinterInfo>& out) {
    out.clear();
    const bool wantDefault = flags & PRINTER_ENUM_DEFAULT;
    if (!Enter("EnumPrinters", std::to_string(flags) + "," + std::to_string(level)))
        return false;
    if (wantDefault && defaultError != ERROR_SUCCESS) {
        SetLastError(defaultError);
        return false;
    }
    if (!wantDefault) {
        out = printers;
    } else if (!defaultName.empty()) {
        out.push_back({defaultName, ""});
    }
    return true;
}

std::string RecordingSpooler::GetProfileString(const std::string& section, const std::string& key,
                                               const std::string& def) {
    if (!Enter("GetProfileString", section + "," + key))
        return def;
    return profileDevice.empty() ? def : profileDevice;
}

bool RecordingSpooler::OpenPrinter(const std::string& name, PrinterHandle& handle) {
    handle = nullptr;
    if (!Enter("OpenPrinter", name))
        return false;
    bool known = false;
    for (const PrinterInfo& info : printers)
        known = known || info.printerName == name;
    if (!known) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return false;
    }
    handle = new Handle(*this, name);
    ++openHandles;
    return true;
}

std::uint32_t RecordingSpooler::StartDocPrinter(PrinterHandle handle, const DocInfo1& doc) {
    auto* own = dynamic_cast<Handle*>(handle);
    if (!Enter("StartDocPrinter", doc.docName + "," + doc.dataType) || !own)
        return 0;
    RecordedJob job;
    job.printer = own->name;
    job.doc = doc;
    jobs.push_back(job);
    own->job = static_cast<int>(jobs.size() - 1);
    return static_cast<std::uint32_t>(jobs.size());
}

bool RecordingSpooler::StartPagePrinter(PrinterHandle handle) {
    return Enter("StartPagePrinter") && JobOf(handle);
}

bool RecordingSpooler::WritePrinter(PrinterHandle handle, const void* data, std::int32_t count,
                                    std::int32_t& written) {
    written = 0;
    if (!Enter("WritePrinter", std::to_string(count)))
        return false;
    RecordedJob* job = JobOf(handle);
    if (!job || count < 0)
        return false;
    written = takeAtMost != 0 && count > takeAtMost ? std::max(takeAtMost, 0) : count;
    job->writes.emplace_back(static_cast<const char*>(data), static_cast<std::size_t>(written));
    return true;
}

bool RecordingSpooler::EndPagePrinter(PrinterHandle handle) {
    return Enter("EndPagePrinter") && JobOf(handle);
}

bool RecordingSpooler::EndDocPrinter(PrinterHandle handle) {
    if (!Enter("EndDocPrinter"))
        return false;
    RecordedJob* job = JobOf(handle);
    if (!job || job->ended || job->aborted)
        return false;
    job->ended = true;
    return true;
}

bool RecordingSpooler::AbortPrinter(PrinterHandle handle) {
    if (!Enter("AbortPrinter"))
        return false;
    RecordedJob* job = JobOf(handle);
    if (!job)
        return false;
    job->aborted = true;
    return true;
}

bool RecordingSpooler::ClosePrinter(PrinterHandle handle) {
    auto* own = dynamic_cast<Handle*>(handle);
    bool ok = false;
    try {
        ok = Enter("ClosePrinter");
    } catch (...) {
        if (own) { // the handle is gone whatever the call says
            delete own;
            --openHandles;
        }
        throw;
    }
    if (!own)
        return false;
    delete own;
    --openHandles;
    return ok;
}

std::int32_t RecordingSpooler::DocumentProperties(PrinterHandle handle, const std::string& device,
                                                  DeviceMode* out, const DeviceMode* in,
                                                  std::uint32_t mode) {
    if (!Enter("DocumentProperties", device + "," + std::to_string(mode)) || !handle)
        return -1;
    if (mode == 0)
        return static_cast<std::int32_t>(sizeof(DeviceMode));
    if (out) {
        auto defaults = defaultModes.find(device);
        if ((mode & DM_IN_BUFFER) && in)
            *out = *in;
        else
            *out = defaults == defaultModes.end() ? DeviceMode{} : defaults->second;
        out->dmDeviceName = device;
    }
    return 1;
}

std::int32_t RecordingSpooler::DeviceCapabilities(const std::string& device,
                                                  const std::string& port, std::uint16_t capability,
                                                  DeviceCapabilityData& out,
                                                  const DeviceMode* mode) {
    out = DeviceCapabilityData{};
    if (!Enter("DeviceCapabilities",
               device + "," + port + "," + std::to_string(capability) + (mode ? ",mode" : ",null")))
        return -1;
    auto found = capabilities.find(device);
    if (found == capabilities.end())
        return 0;
    const Capabilities& caps = found->second;
    switch (capability) {
    case DC_BINS:
        for (const auto& bin : caps.bins)
            out.codes.push_back(bin.first);
        return static_cast<std::int32_t>(caps.bins.size());
    case DC_BINNAMES:
        for (const auto& bin : caps.bins)
            out.names.push_back(bin.second);
        return static_cast<std::int32_t>(caps.bins.size());
    case DC_PAPERS:
        for (const auto& paper : caps.papers)
            out.codes.push_back(paper.code);
        return static_cast<std::int32_t>(caps.papers.size());
    case DC_PAPERSIZE:
        for (const auto& paper : caps.papers)
            out.sizes.push_back(paper.size);
        return static_cast<std::int32_t>(caps.papers.size());
    case DC_PAPERNAMES:
        for (const auto& paper : caps.papers)
            out.names.push_back(paper.name);
        return static_cast<std::int32_t>(caps.papers.size());
    case DC_DUPLEX:
        return caps.duplex ? 1 : 0;
    default:
        return -1;
    }
}

} // namespace zl::test
