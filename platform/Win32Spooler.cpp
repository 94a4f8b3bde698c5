#ifdef _WIN32

#include "platform/Win32Spooler.h"

#include "platform/WindowsApi.h"

#include <cstring>
#include <memory>

namespace zl {

namespace {

// A spooler printer handle wrapped as a PrinterObject.
class Win32Printer : public PrinterObject {
public:
    Win32Printer(Spooler& owner, HANDLE handle) : PrinterObject(owner), handle_(handle) {}
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

HANDLE Raw(PrinterHandle handle) {
    return handle ? static_cast<Win32Printer*>(handle)->Get() : nullptr;
}

void FromDevMode(const DEVMODEA& dm, DeviceMode& out) {
    out.dmDeviceName = reinterpret_cast<const char*>(dm.dmDeviceName);
    out.dmFields = dm.dmFields;
    out.dmOrientation = dm.dmOrientation;
    out.dmPaperSize = dm.dmPaperSize;
    out.dmPaperLength = dm.dmPaperLength;
    out.dmPaperWidth = dm.dmPaperWidth;
    out.dmCopies = dm.dmCopies;
    out.dmDefaultSource = dm.dmDefaultSource;
    out.dmPrintQuality = dm.dmPrintQuality;
    out.dmDuplex = dm.dmDuplex;
    out.dmFormName = reinterpret_cast<const char*>(dm.dmFormName);
}

void ToDevMode(const DeviceMode& in, DEVMODEA& dm) {
    dm.dmFields = in.dmFields;
    dm.dmOrientation = in.dmOrientation;
    dm.dmPaperSize = in.dmPaperSize;
    dm.dmPaperLength = in.dmPaperLength;
    dm.dmPaperWidth = in.dmPaperWidth;
    dm.dmCopies = in.dmCopies;
    dm.dmDefaultSource = in.dmDefaultSource;
    dm.dmPrintQuality = in.dmPrintQuality;
    dm.dmDuplex = in.dmDuplex;
}

} // namespace

// PRINTER_ENUM_DEFAULT is for Windows 95 to Me only: NT answers it with
// success and no printer. The default printer's name comes from
// GetDefaultPrinterA, its entry from the list of all printers.
bool Win32Spooler::EnumPrinters(std::uint32_t flags, std::uint32_t level,
                                std::vector<PrinterInfo>& out) {
    out.clear();
    if (!(flags & PRINTER_ENUM_DEFAULT))
        return EnumAll(flags, level, out);
    DWORD size = 0;
    if (!::GetDefaultPrinterA(nullptr, &size)) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_FILE_NOT_FOUND) { // no default printer
            SetLastError(ERROR_SUCCESS);
            return true;
        }
        if (err != ERROR_INSUFFICIENT_BUFFER) {
            SetLastError(err);
            return false;
        }
    }
    std::string name(size, '\0');
    if (!::GetDefaultPrinterA(name.data(), &size)) {
        SetLastError(::GetLastError());
        return false;
    }
    name.resize(std::strlen(name.c_str()));
    std::vector<PrinterInfo> all;
    if (!EnumAll(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, level, all))
        return false;
    for (PrinterInfo& info : all) {
        if (info.printerName == name)
            out.push_back(std::move(info));
    }
    if (out.empty()) // listed nowhere, yet the default: the name alone
        out.push_back({name, ""});
    return true;
}

bool Win32Spooler::EnumAll(std::uint32_t flags, std::uint32_t level,
                           std::vector<PrinterInfo>& out) {
    DWORD needed = 0, returned = 0;
    std::unique_ptr<BYTE[]> buffer;
    // A printer installed between asking the size and reading the list
    // makes the buffer too small: ask again.
    for (DWORD size = 0;; size = needed) {
        buffer.reset(size ? new BYTE[size]() : nullptr);
        if (::EnumPrintersA(flags, nullptr, level, buffer.get(), size, &needed, &returned))
            break;
        const DWORD err = ::GetLastError();
        if (err != ERROR_INSUFFICIENT_BUFFER || needed <= size) {
            SetLastError(err);
            return false;
        }
    }
    for (DWORD i = 0; i < returned; ++i) {
        if (level == 4) {
            auto* info = reinterpret_cast<PRINTER_INFO_4A*>(buffer.get()) + i;
            out.push_back({info->pPrinterName ? info->pPrinterName : "", ""});
        } else {
            auto* info = reinterpret_cast<PRINTER_INFO_5A*>(buffer.get()) + i;
            out.push_back({info->pPrinterName ? info->pPrinterName : "",
                           info->pPortName ? info->pPortName : ""});
        }
    }
    SetLastError(ERROR_SUCCESS);
    return true;
}

std::string Win32Spooler::GetProfileString(const std::string& section, const std::string& key,
                                           const std::string& def) {
    char value[1024] = {};
    ::GetProfileStringA(section.c_str(), key.c_str(), def.c_str(), value, sizeof value - 1);
    return value;
}

bool Win32Spooler::OpenPrinter(const std::string& name, PrinterHandle& handle) {
    handle = nullptr;
    HANDLE raw = nullptr;
    if (!::OpenPrinterA(const_cast<char*>(name.c_str()), &raw, nullptr)) {
        SetLastError(::GetLastError());
        return false;
    }
    handle = new Win32Printer(*this, raw);
    return true;
}

std::uint32_t Win32Spooler::StartDocPrinter(PrinterHandle handle, const DocInfo1& doc) {
    DOC_INFO_1A info = {};
    info.pDocName = const_cast<char*>(doc.docName.c_str());
    info.pOutputFile = const_cast<char*>(doc.outputFile);
    info.pDatatype = const_cast<char*>(doc.dataType.c_str());
    return ::StartDocPrinterA(Raw(handle), 1, reinterpret_cast<BYTE*>(&info));
}

bool Win32Spooler::StartPagePrinter(PrinterHandle handle) {
    return ::StartPagePrinter(Raw(handle)) != FALSE;
}

bool Win32Spooler::WritePrinter(PrinterHandle handle, const void* data, std::int32_t count,
                                std::int32_t& written) {
    DWORD done = 0;
    BOOL ok =
        ::WritePrinter(Raw(handle), const_cast<void*>(data), static_cast<DWORD>(count), &done);
    written = static_cast<std::int32_t>(done);
    if (!ok)
        SetLastError(::GetLastError());
    return ok != FALSE;
}

bool Win32Spooler::EndPagePrinter(PrinterHandle handle) {
    return ::EndPagePrinter(Raw(handle)) != FALSE;
}

bool Win32Spooler::EndDocPrinter(PrinterHandle handle) {
    return ::EndDocPrinter(Raw(handle)) != FALSE;
}

bool Win32Spooler::AbortPrinter(PrinterHandle handle) {
    return ::AbortPrinter(Raw(handle)) != FALSE;
}

bool Win32Spooler::ClosePrinter(PrinterHandle handle) {
    if (!handle)
        return false;
    BOOL ok = ::ClosePrinter(Raw(handle));
    delete handle;
    return ok != FALSE;
}

std::int32_t Win32Spooler::DocumentProperties(PrinterHandle handle, const std::string& device,
                                              DeviceMode* out, const DeviceMode* in,
                                              std::uint32_t mode) {
    char* name = const_cast<char*>(device.c_str());
    LONG size = ::DocumentPropertiesA(nullptr, Raw(handle), name, nullptr, nullptr, 0);
    if (mode == 0 || size <= 0)
        return size;
    std::unique_ptr<BYTE[]> outBuf(new BYTE[size]()), inBuf(new BYTE[size]());
    auto* dmOut = reinterpret_cast<DEVMODEA*>(outBuf.get());
    auto* dmIn = reinterpret_cast<DEVMODEA*>(inBuf.get());
    if (in) {
        ::DocumentPropertiesA(nullptr, Raw(handle), name, dmIn, nullptr, DM_OUT_BUFFER);
        ToDevMode(*in, *dmIn);
    }
    LONG result =
        ::DocumentPropertiesA(nullptr, Raw(handle), name, dmOut, in ? dmIn : nullptr, mode);
    if (result >= 0 && out)
        FromDevMode(*dmOut, *out);
    return result;
}

std::int32_t Win32Spooler::DeviceCapabilities(const std::string& device, const std::string& port,
                                              std::uint16_t capability, DeviceCapabilityData& out,
                                              const DeviceMode* mode) {
    out = DeviceCapabilityData{};
    // Ask for the count first so that the buffer always fits what comes.
    std::unique_ptr<BYTE[]> devmode;
    DEVMODEA* dm = nullptr;
    LONG needed = ::DeviceCapabilitiesA(device.c_str(), port.c_str(), capability, nullptr, nullptr);
    if (needed <= 0)
        return needed;
    if (mode) {
        PrinterHandle handle = nullptr;
        if (OpenPrinter(device, handle)) {
            LONG size = ::DocumentPropertiesA(
                nullptr, Raw(handle), const_cast<char*>(device.c_str()), nullptr, nullptr, 0);
            if (size > 0) {
                devmode.reset(new BYTE[size]());
                dm = reinterpret_cast<DEVMODEA*>(devmode.get());
                ::DocumentPropertiesA(nullptr, Raw(handle), const_cast<char*>(device.c_str()), dm,
                                      nullptr, DM_OUT_BUFFER);
                ToDevMode(*mode, *dm);
            }
            ClosePrinter(handle);
        }
    }
    std::size_t itemSize = 0;
    switch (capability) {
    case DC_BINS:
    case DC_PAPERS:
        itemSize = sizeof(WORD);
        break;
    case DC_PAPERSIZE:
        itemSize = sizeof(POINT);
        break;
    case DC_BINNAMES:
        itemSize = 24;
        break;
    case DC_PAPERNAMES:
        itemSize = 64;
        break;
    default:
        return needed;
    }
    std::unique_ptr<char[]> buffer(new char[itemSize * static_cast<std::size_t>(needed)]());
    LONG count = ::DeviceCapabilitiesA(device.c_str(), port.c_str(), capability, buffer.get(), dm);
    if (count > needed)
        count = needed;
    for (LONG i = 0; i < count; ++i) {
        const char* item = buffer.get() + itemSize * static_cast<std::size_t>(i);
        if (capability == DC_BINS || capability == DC_PAPERS) {
            out.codes.push_back(*reinterpret_cast<const WORD*>(item));
        } else if (capability == DC_PAPERSIZE) {
            const POINT* p = reinterpret_cast<const POINT*>(item);
            out.sizes.push_back({p->x, p->y});
        } else {
            out.names.emplace_back(item, strnlen(item, itemSize));
        }
    }
    return count;
}

} // namespace zl

#endif
