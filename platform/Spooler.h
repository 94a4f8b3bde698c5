// The print spooler as the code above it sees it: the Windows spooler calls,
// with their names and the meaning that code relies on, behind one interface.
#pragma once

#include "platform/DeviceMode.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace zl {

class Spooler;

// Room in a spooler's buffer for the bytes of an open document: from `next`
// up to `limit`.
struct ByteWindow {
    char* next = nullptr;
    char* limit = nullptr;
};

// An open printer. Each backend derives its own kind; the handle remembers the
// spooler that opened it, which serves every call made with it, so a caller
// may also make them on Owner() directly.
class PrinterObject {
public:
    explicit PrinterObject(Spooler& owner) : owner_(owner) {}
    virtual ~PrinterObject() = default;
    PrinterObject(const PrinterObject&) = delete;
    PrinterObject& operator=(const PrinterObject&) = delete;
    Spooler& Owner() const { return owner_; }

    // Room in the spooler's buffer for bytes of the open document, or null.
    // A byte put there counts exactly as a WritePrinter of that byte would;
    // for callers that write a byte at a time.
    ByteWindow* OfferedWindow() const { return window_; }

protected:
    // A spooler that gathers the bytes it is given offers its buffer here.
    void OfferWindow(ByteWindow* window) { window_ = window; }

private:
    Spooler& owner_;
    ByteWindow* window_ = nullptr;
};

// Null while no printer is open, as with the Windows HANDLE.
using PrinterHandle = PrinterObject*;

// EnumPrinters flags.
constexpr std::uint32_t PRINTER_ENUM_DEFAULT = 0x1;
constexpr std::uint32_t PRINTER_ENUM_LOCAL = 0x2;
constexpr std::uint32_t PRINTER_ENUM_CONNECTIONS = 0x4;

// Last-error codes the callers look at.
constexpr std::uint32_t ERROR_SUCCESS = 0;
constexpr std::uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
constexpr std::uint32_t ERROR_INVALID_NAME = 123;
constexpr std::uint32_t ERROR_INVALID_HANDLE = 6;
constexpr std::uint32_t ERROR_INVALID_PRINTER_NAME = 1801;
constexpr std::uint32_t ERROR_WRITE_FAULT = 29;
constexpr std::uint32_t ERROR_NOT_READY = 21;

// One printer as EnumPrinters reports it. Level 4 fills the printer name,
// level 5 also the port names (comma-separated).
struct PrinterInfo {
    std::string printerName;
    std::string portName;
};

// DOC_INFO_1.
struct DocInfo1 {
    std::string docName;
    const char* outputFile = nullptr;
    std::string dataType;
};

// DeviceCapabilities queries.
constexpr std::uint16_t DC_PAPERS = 2;
constexpr std::uint16_t DC_PAPERSIZE = 3;
constexpr std::uint16_t DC_BINS = 6;
constexpr std::uint16_t DC_DUPLEX = 7;
constexpr std::uint16_t DC_BINNAMES = 12;
constexpr std::uint16_t DC_PAPERNAMES = 16;

// A paper form's size in tenths of a millimetre.
struct PaperDimensions {
    std::int32_t width = 0;
    std::int32_t length = 0;
};

// What DeviceCapabilities answers, in the printer's order: `codes` for
// DC_BINS and DC_PAPERS, `names` for DC_BINNAMES and DC_PAPERNAMES, `sizes`
// for DC_PAPERSIZE.
struct DeviceCapabilityData {
    std::vector<std::uint16_t> codes;
    std::vector<std::string> names;
    std::vector<PaperDimensions> sizes;
};

// DocumentProperties modes.
constexpr std::uint32_t DM_OUT_BUFFER = 2;
constexpr std::uint32_t DM_IN_BUFFER = 8;

class Spooler {
public:
    virtual ~Spooler() = default;

    // Fills `out` with the printers that match `flags`, in the spooler's order.
    // False on failure, with LastError() telling why.
    virtual bool EnumPrinters(std::uint32_t flags, std::uint32_t level,
                              std::vector<PrinterInfo>& out) = 0;
    // The "device" value of the user's profile: "name,driver,port", or `def`
    // where there is no such profile.
    virtual std::string GetProfileString(const std::string& /*section*/, const std::string& /*key*/,
                                         const std::string& def) {
        return def;
    }

    // True and a usable handle, or false and a null handle.
    virtual bool OpenPrinter(const std::string& name, PrinterHandle& handle) = 0;
    // The job id, 0 on failure.
    virtual std::uint32_t StartDocPrinter(PrinterHandle handle, const DocInfo1& doc) = 0;
    virtual bool StartPagePrinter(PrinterHandle handle) = 0;
    // Hands `count` bytes to the job; false when they cannot be delivered.
    virtual bool WritePrinter(PrinterHandle handle, const void* data, std::int32_t count,
                              std::int32_t& written) = 0;
    virtual bool EndPagePrinter(PrinterHandle handle) = 0;
    // Completes the document; false when it could not be delivered whole.
    virtual bool EndDocPrinter(PrinterHandle handle) = 0;
    // Cancels the open document: nothing of it reaches the printer.
    virtual bool AbortPrinter(PrinterHandle handle) = 0;
    // Frees the handle whatever else happens.
    virtual bool ClosePrinter(PrinterHandle handle) = 0;

    // Mode 0: the size of the printer's device mode (negative on failure).
    // DM_OUT_BUFFER: fills `out` with the printer's defaults, merged with `in`
    // when DM_IN_BUFFER is also set. Returns a negative value on failure.
    virtual std::int32_t DocumentProperties(PrinterHandle handle, const std::string& device,
                                            DeviceMode* out, const DeviceMode* in,
                                            std::uint32_t mode) = 0;

    // Answers `capability` for the printer `device` on `port` into `out`;
    // returns the number of items (for DC_DUPLEX: 1 when the printer prints
    // on both sides, else 0), or -1 on failure. A printer that reports no
    // forms or bins answers 0.
    virtual std::int32_t DeviceCapabilities(const std::string& device, const std::string& port,
                                            std::uint16_t capability, DeviceCapabilityData& out,
                                            const DeviceMode* mode) = 0;

    // The number of jobs waiting or printing on `printer`; -1 when the
    // spooler cannot tell (unknown printer, server out of reach).
    virtual std::int32_t PrinterJobCount(const std::string& /*printer*/) { return -1; }

    // Forgets what look-ups remember (printer lists, capabilities, a print
    // server found silent), so that the next ones ask the print system again.
    // The window calls it each time it becomes active.
    virtual void RefreshLookups() {}
    // How long one look-up may wait for the print system; the window asks
    // for less than the command line, which may wait the usual limit.
    virtual void SetLookupTimeLimit(std::chrono::milliseconds /*limit*/) {}
    // Why the last EnumPrinters listed only part of the printers (the print
    // server could not be asked, so only the built-in destinations are
    // listed); empty when it listed them all.
    virtual std::string FallbackNote() const { return {}; }

    std::uint32_t LastError() const { return lastError_; }
    // What caused the last failure, in words ("No space left on device",
    // "cannot reach the print server localhost:631"); empty when unknown.
    const std::string& LastErrorCause() const { return lastErrorCause_; }

protected:
    void SetLastError(std::uint32_t code, std::string cause = {}) {
        lastError_ = code;
        lastErrorCause_ = std::move(cause);
    }

private:
    std::uint32_t lastError_ = ERROR_SUCCESS;
    std::string lastErrorCause_;
};

} // namespace zl
