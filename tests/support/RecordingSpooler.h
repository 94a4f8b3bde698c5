// A spooler for tests: it records every call, keeps every job's writes, and
// can be told to fail or throw on any call.
#pragma once

#include "platform/Spooler.h"

#include <map>
#include <string>
#include <vector>

namespace zl::test {

struct RecordedJob {
    std::string printer;
    DocInfo1 doc;
    std::vector<std::string> writes; // one entry per WritePrinter
    bool ended = false;              // EndDocPrinter succeeded
    bool aborted = false;

    std::string Bytes() const;
};

class RecordingSpooler : public Spooler {
public:
    // Printers as EnumPrinters lists them; `defaultName` empty: none.
    std::vector<PrinterInfo> printers;
    std::string defaultName;
    std::string profileDevice;
    // What DeviceCapabilities answers, by printer name: the bins (code,
    // name) and the paper forms (code, name, size); duplex.
    struct Capabilities {
        std::vector<std::pair<std::uint16_t, std::string>> bins;
        struct Paper {
            std::uint16_t code;
            std::string name;
            PaperDimensions size;
        };
        std::vector<Paper> papers;
        bool duplex = false;
    };
    std::map<std::string, Capabilities> capabilities;
    // The device mode DocumentProperties gives each printer by default.
    std::map<std::string, DeviceMode> defaultModes;
    // What PrinterJobCount answers, by printer; -1 for others.
    std::map<std::string, std::int32_t> jobCounts;
    // The last error set by EnumPrinters(PRINTER_ENUM_DEFAULT) when it fails.
    std::uint32_t defaultError = ERROR_SUCCESS;

    // Makes `operation` return failure from its `fromCall`-th call on
    // (counting from 0), with `error` as the last error.
    void Fail(const std::string& operation, int fromCall = 0,
              std::uint32_t error = ERROR_WRITE_FAULT, std::string cause = {});
    // Each WritePrinter takes at most this many bytes (0: all; negative:
    // none, yet reports success), as a spooler that reports short writes.
    std::int32_t takeAtMost = 0;
    // Makes every call of `operation` throw.
    void Throw(const std::string& operation);

    std::vector<std::string> calls; // "Operation(args)" in call order
    std::vector<RecordedJob> jobs;
    int openHandles = 0;

    int Count(const std::string& operation) const;
    // How many recorded calls read exactly `call` ("OpenPrinter(Laser)").
    int Calls(const std::string& call) const {
        int n = 0;
        for (const std::string& c : calls)
            n += c == call;
        return n;
    }

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

    std::int32_t PrinterJobCount(const std::string& printer) override {
        calls.push_back("PrinterJobCount(" + printer + ")");
        auto found = jobCounts.find(printer);
        return found == jobCounts.end() ? -1 : found->second;
    }

private:
    class Handle;
    // Records the call; false when it is to fail.
    bool Enter(const std::string& operation, const std::string& args = {});
    RecordedJob* JobOf(PrinterHandle handle);

    struct Failure {
        int fromCall = 0;
        std::uint32_t error = ERROR_SUCCESS;
        bool raise = false;
        std::string cause;
    };
    std::map<std::string, Failure> failures_;
    std::map<std::string, int> counts_;
};

} // namespace zl::test
