// The spooler the program prints through: the system's printers first, in
// the order the system lists them, then the built-in "PCL File" destination,
// which is the default only when the system has none.
#pragma once

#include "platform/FileSpooler.h"
#include "platform/Spooler.h"

#include <memory>

namespace zl {

class SystemSpooler : public Spooler {
public:
    SystemSpooler(std::unique_ptr<Spooler> system, std::unique_ptr<FileSpooler> file);

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

    std::int32_t PrinterJobCount(const std::string& printer) override;
    void RefreshLookups() override { system_->RefreshLookups(); }
    void SetLookupTimeLimit(std::chrono::milliseconds limit) override {
        system_->SetLookupTimeLimit(limit);
    }

    // With `fail` set (the command line), a print server that does not
    // answer makes EnumPrinters fail with its cause instead of listing only
    // "PCL File"; the window keeps "PCL File" usable.
    void SetFailWhenServerSilent(bool fail) { failWhenSilent_ = fail; }
    // After the last EnumPrinters found no print server to ask (none
    // configured, it refused the connection, or it did not answer in time
    // while that is no failure): why, in words; empty otherwise.
    std::string FallbackNote() const override { return fallbackNote_; }

private:
    // Runs `call` on the spooler that opened `handle` and takes over its
    // last error when the call fails.
    template <typename Call> auto Route(PrinterHandle handle, Call call) -> decltype(call(*this));

    std::unique_ptr<Spooler> system_;
    std::unique_ptr<FileSpooler> file_;
    bool failWhenSilent_ = false;
    std::string fallbackNote_;
};

// The process-wide spooler, made at first use: CUPS on Linux and macOS, the
// Windows spooler on Windows, each followed by "PCL File".
SystemSpooler& ProcessSpooler();

} // namespace zl
