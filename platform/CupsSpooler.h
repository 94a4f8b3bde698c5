// The spooler calls on a CUPS server: destinations as printers, one CUPS job
// per document, the bytes sent raw. Look-ups share one connection and their
// answers are kept until RefreshLookups(), so that a window asking again and
// again costs the server a few requests; every call has a time limit.
#pragma once

#include "platform/CupsConnection.h"
#include "platform/CupsMediaCodes.h"
#include "platform/DocumentSpooler.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace zl {

class SilentServerWatch;

// The last error when the print server cannot be reached (the code the
// Windows spooler gives for a print server out of reach). A server that
// does not answer in time gives ERROR_NOT_READY.
constexpr std::uint32_t RPC_S_SERVER_UNAVAILABLE = 1722;

class CupsSpooler : public DocumentSpooler {
public:
    // `server` is "host", "host:port" or a socket path; empty means the
    // server CUPS itself would use (CUPS_SERVER, client.conf, the default).
    explicit CupsSpooler(std::string server = {}, CupsTimeLimits limits = {});
    ~CupsSpooler() override;

    // False when the server cannot be asked: RPC_S_SERVER_UNAVAILABLE when
    // it cannot be reached, ERROR_NOT_READY when it does not answer in time,
    // the cause in words with either.
    bool EnumPrinters(std::uint32_t flags, std::uint32_t level,
                      std::vector<PrinterInfo>& out) override;
    bool OpenPrinter(const std::string& name, PrinterHandle& handle) override;
    std::int32_t PrinterJobCount(const std::string& printer) override;
    // Paper forms, bins and duplex as the destination `device` offers them;
    // -1 when the server cannot be asked or does not know it.
    std::int32_t DeviceCapabilities(const std::string& device, const std::string& port,
                                    std::uint16_t capability, DeviceCapabilityData& out,
                                    const DeviceMode* mode) override;
    void RefreshLookups() override;
    // Connecting gets no longer than a look-up either.
    void SetLookupTimeLimit(std::chrono::milliseconds limit) override {
        limits_.lookup = limit;
        limits_.connect = std::min(limits_.connect, limit);
    }

    // The default destination's name, empty when there is none or the
    // server cannot be asked.
    std::string DefaultPrinterName();

protected:
    // The destination's defaults as its server reports them.
    DeviceMode DefaultDeviceMode(DocumentPrinter& printer, const std::string& device) override;

private:
    class Printer;
    struct Destination {
        std::string name; // "queue" or "queue/instance"
        bool isDefault = false;
    };
    struct LeftJob {
        std::string queue;
        int id = 0;
    };
    // What a destination offers, or ERROR_INVALID_PRINTER_NAME.
    struct ChoicesAnswer {
        std::uint32_t error = ERROR_SUCCESS;
        CupsDestChoices choices;
    };

    // Runs `request` (true when it got what it asked for) on the look-up
    // connection. True when the server answered, if only with a refusal;
    // false with the last error set when it could not be asked.
    bool Ask(const std::function<bool(_http_s*)>& request);
    // The destinations, read when not known yet; false when the server could
    // not be asked.
    bool ReadDestinations();
    // What `name` offers, asked once until RefreshLookups(); false with the
    // last error set when it is unknown or the server could not be asked.
    bool ReadChoices(const std::string& name, CupsDestChoices& out);
    bool AskChoices(const std::string& name, ChoicesAnswer& out);
    void UseServer() const;
    const CupsServerAddress& Address();

    std::string server_;
    CupsTimeLimits limits_;
    std::optional<CupsServerAddress> address_;
    std::unique_ptr<CupsConnection> lookups_;
    void WatchSilentServer();
    // Set once a look-up found the server silent: the look-ups after it fail
    // at once until the watch hears the server answer again.
    std::string silentCause_;
    std::unique_ptr<SilentServerWatch> watch_;
    std::optional<std::vector<Destination>> destinations_;
    std::map<std::string, ChoicesAnswer> choices_;
    // Jobs whose cancel could not reach the server: cancelled before the
    // next document starts.
    std::vector<LeftJob> leftJobs_;
};

} // namespace zl
