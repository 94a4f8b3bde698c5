// The spooler calls on a CUPS server: destinations as printers, one CUPS job
// per document, the bytes sent raw.
#pragma once

#include "platform/DocumentSpooler.h"

#include <string>

struct _http_s;

namespace zl {

struct CupsDestChoices;

class CupsSpooler : public DocumentSpooler {
public:
    // `server` is "host", "host:port" or a socket path; empty means the
    // server CUPS itself would use (CUPS_SERVER, client.conf, the default).
    explicit CupsSpooler(std::string server = {});

    bool EnumPrinters(std::uint32_t flags, std::uint32_t level,
                      std::vector<PrinterInfo>& out) override;
    bool OpenPrinter(const std::string& name, PrinterHandle& handle) override;
    // Paper forms, bins and duplex as the destination `device` offers them
    // now; -1 when the server cannot be reached or does not know it.
    std::int32_t PrinterJobCount(const std::string& printer) override;
    std::int32_t DeviceCapabilities(const std::string& device, const std::string& port,
                                    std::uint16_t capability, DeviceCapabilityData& out,
                                    const DeviceMode* mode) override;

    // The default destination's name, empty when there is none or the
    // server cannot be reached.
    std::string DefaultPrinterName();

protected:
    // The destination's defaults as its server reports them now.
    DeviceMode DefaultDeviceMode(DocumentPrinter& printer, const std::string& device) override;

private:
    class Printer;
    // Asks the server what destination `name` offers; ERROR_SUCCESS, or why
    // it could not be asked.
    std::uint32_t ReadChoices(const std::string& name, CupsDestChoices& out) const;
    _http_s* Connect() const;
    void UseServer() const;
    int Port() const;

    std::string server_;
};

} // namespace zl
