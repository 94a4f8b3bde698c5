// The Windows print spooler itself, through its ANSI calls. Windows builds only.
#pragma once

#ifdef _WIN32

#include "platform/Spooler.h"

namespace zl {

class Win32Spooler : public Spooler {
public:
    bool EnumPrinters(std::uint32_t flags, std::uint32_t level,
                      std::vector<PrinterInfo>& out) override;
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& def) override;
    bool OpenPrinter(const std::string& name, PrinterHandle& handle) override;
    std::uint32_t StartDocPrinter(PrinterHandle handle, const DocInfo1& doc) override;
    bool StartPagePrinter(PrinterHandle handle) override;
    bool WritePrinter(PrinterHandle handle, const void* data, std::int32_t count,
                      std::int32_t& written) override;
    bool EndPagePrinter(PrinterHandle handle) override;
    bool EndDocPrinter(PrinterHandle handle) override;
    bool AbortPrinter(PrinterHandle handle) override;
    bool ClosePrinter(PrinterHandle handle) override;
    std::int32_t DocumentProperties(PrinterHandle handle, const std::string& device,
                                    DeviceMode* out, const DeviceMode* in,
                                    std::uint32_t mode) override;
    std::int32_t DeviceCapabilities(const std::string& device, const std::string& port,
                                    std::uint16_t capability, DeviceCapabilityData& out,
                                    const DeviceMode* mode) override;

private:
    // The printers of `flags` without PRINTER_ENUM_DEFAULT, appended to `out`.
    bool EnumAll(std::uint32_t flags, std::uint32_t level, std::vector<PrinterInfo>& out);
};

} // namespace zl

#endif
