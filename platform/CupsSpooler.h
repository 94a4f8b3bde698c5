// The spooler calls on a CUPS server: destinations as printers, one CUPS job
// per document, the bytes sent raw.
#pragma once

#include "platform/DocumentSpooler.h"

#include <string>

struct _http_s;

namespace zl {

class CupsSpooler : public DocumentSpooler {
public:
    // `server` is "host", "host:port" or a socket path; empty means the
    // server CUPS itself would use (CUPS_SERVER, client.conf, the default).
    explicit CupsSpooler(std::string server = {});

    bool EnumPrinters(std::uint32_t flags, std::uint32_t level,
                      std::vector<PrinterInfo>& out) override;
    bool OpenPrinter(const std::string& name, PrinterHandle& handle) override;

    // The default destination's name, empty when there is none or the
    // server cannot be reached.
    std::string DefaultPrinterName();

private:
    class Printer;
    _http_s* Connect() const;
    void UseServer() const;
    int Port() const;

    std::string server_;
};

} // namespace zl
