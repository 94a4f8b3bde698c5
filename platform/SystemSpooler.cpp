#include "platform/SystemSpooler.h"

#ifdef _WIN32
#include "platform/Win32Spooler.h"
#else
#include "platform/CupsSpooler.h"
#endif

namespace zl {

SystemSpooler::SystemSpooler(std::unique_ptr<Spooler> system, std::unique_ptr<FileSpooler> file)
    : system_(std::move(system)), file_(std::move(file)) {}

template <typename Call>
auto SystemSpooler::Route(PrinterHandle handle, Call call) -> decltype(call(*this)) {
    if (!handle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return decltype(call(*this))();
    }
    Spooler& owner = handle->Owner();
    auto result = call(owner);
    if (!result)
        SetLastError(owner.LastError(), owner.LastErrorCause());
    return result;
}

bool SystemSpooler::EnumPrinters(std::uint32_t flags, std::uint32_t level,
                                 std::vector<PrinterInfo>& out) {
    std::vector<PrinterInfo> system, file;
    fallbackNote_.clear();
    if (!system_->EnumPrinters(flags, level, system)) {
        // A server that does not answer in time may come back: the command
        // line says so rather than print elsewhere.
        if (failWhenSilent_ && system_->LastError() == ERROR_NOT_READY) {
            out.clear();
            SetLastError(ERROR_NOT_READY, system_->LastErrorCause());
            return false;
        }
        system.clear(); // "PCL File" alone is still usable
        fallbackNote_ = system_->LastErrorCause();
    }
    file_->EnumPrinters(flags, level, file);
    out = std::move(system);
    if (!(flags & PRINTER_ENUM_DEFAULT) || out.empty())
        out.insert(out.end(), file.begin(), file.end());
    SetLastError(ERROR_SUCCESS);
    return true;
}

std::string SystemSpooler::GetProfileString(const std::string& section, const std::string& key,
                                            const std::string& def) {
    return system_->GetProfileString(section, key, def);
}

bool SystemSpooler::OpenPrinter(const std::string& name, PrinterHandle& handle) {
    Spooler& target = name == FileSpooler::kPrinterName ? static_cast<Spooler&>(*file_) : *system_;
    if (target.OpenPrinter(name, handle))
        return true;
    SetLastError(target.LastError(), target.LastErrorCause());
    return false;
}

std::uint32_t SystemSpooler::StartDocPrinter(PrinterHandle handle, const DocInfo1& doc) {
    return Route(handle, [&](Spooler& s) { return s.StartDocPrinter(handle, doc); });
}

bool SystemSpooler::StartPagePrinter(PrinterHandle handle) {
    return Route(handle, [&](Spooler& s) { return s.StartPagePrinter(handle); });
}

bool SystemSpooler::WritePrinter(PrinterHandle handle, const void* data, std::int32_t count,
                                 std::int32_t& written) {
    written = 0;
    return Route(handle, [&](Spooler& s) { return s.WritePrinter(handle, data, count, written); });
}

bool SystemSpooler::EndPagePrinter(PrinterHandle handle) {
    return Route(handle, [&](Spooler& s) { return s.EndPagePrinter(handle); });
}

bool SystemSpooler::EndDocPrinter(PrinterHandle handle) {
    return Route(handle, [&](Spooler& s) { return s.EndDocPrinter(handle); });
}

bool SystemSpooler::AbortPrinter(PrinterHandle handle) {
    return Route(handle, [&](Spooler& s) { return s.AbortPrinter(handle); });
}

bool SystemSpooler::ClosePrinter(PrinterHandle handle) {
    return Route(handle, [&](Spooler& s) { return s.ClosePrinter(handle); });
}

std::int32_t SystemSpooler::DocumentProperties(PrinterHandle handle, const std::string& device,
                                               DeviceMode* out, const DeviceMode* in,
                                               std::uint32_t mode) {
    if (!handle)
        return -1;
    return handle->Owner().DocumentProperties(handle, device, out, in, mode);
}

std::int32_t SystemSpooler::DeviceCapabilities(const std::string& device, const std::string& port,
                                               std::uint16_t capability, DeviceCapabilityData& out,
                                               const DeviceMode* mode) {
    Spooler& target =
        device == FileSpooler::kPrinterName ? static_cast<Spooler&>(*file_) : *system_;
    const std::int32_t count = target.DeviceCapabilities(device, port, capability, out, mode);
    if (count < 0)
        SetLastError(target.LastError(), target.LastErrorCause());
    return count;
}

std::int32_t SystemSpooler::PrinterJobCount(const std::string& printer) {
    return printer == FileSpooler::kPrinterName ? file_->PrinterJobCount(printer)
                                                : system_->PrinterJobCount(printer);
}

SystemSpooler& ProcessSpooler() {
#ifdef _WIN32
    static SystemSpooler spooler(std::make_unique<Win32Spooler>(), std::make_unique<FileSpooler>());
#else
    static SystemSpooler spooler(std::make_unique<CupsSpooler>(), std::make_unique<FileSpooler>());
#endif
    return spooler;
}

} // namespace zl
