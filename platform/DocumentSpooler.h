// The document half of the spooler calls, shared by the backends that gather
// a job's bytes and hand them on: a backend supplies its printers and how a
// document begins, is completed and is cancelled.
#pragma once

#include "platform/GatheringWriter.h"
#include "platform/Spooler.h"

namespace zl {

class DocumentPrinter : public PrinterObject, public GatheringWriter {
public:
    explicit DocumentPrinter(Spooler& owner) : PrinterObject(owner) { OfferWindow(Window()); }

    bool InDocument() const { return inDocument_; }
    // The job id, 0 when the document could not be started.
    std::uint32_t Begin(const DocInfo1& doc);
    // Delivers the rest and completes the document; false when any of it
    // failed, in which case nothing of the document is printed.
    bool Finish();
    // Abandons the open document so that nothing of it is printed.
    bool Cancel();
    // What caused the last failure in words, empty when unknown.
    const std::string& Cause() const { return cause_; }

protected:
    // Notes what caused a failure, for the message the user reads.
    void SetCause(std::string cause) { cause_ = std::move(cause); }

    virtual std::uint32_t DoBegin(const DocInfo1& doc) = 0;
    // `delivered` is false when gathered bytes could not be handed on.
    virtual bool DoFinish(bool delivered) = 0;
    virtual bool DoCancel() = 0;

private:
    bool inDocument_ = false;
    std::string cause_;
};

class DocumentSpooler : public Spooler {
public:
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

protected:
    // The printer's own default settings.
    virtual DeviceMode DefaultDeviceMode(DocumentPrinter& printer, const std::string& device);

private:
    DocumentPrinter* Own(PrinterHandle handle);
    // Kept out of line so that WritePrinter's short way needs no stack frame.
#if defined(__GNUC__)
    __attribute__((noinline))
#elif defined(_MSC_VER)
    __declspec(noinline)
#endif
    bool
    WriteSlowly(PrinterHandle handle, const void* data, std::int32_t count, std::int32_t& written);
};

// A spooler with a single printer of a fixed name.
class SinglePrinterSpooler : public DocumentSpooler {
public:
    SinglePrinterSpooler(std::string printerName, std::string portName)
        : printerName_(std::move(printerName)), portName_(std::move(portName)) {}

    bool EnumPrinters(std::uint32_t flags, std::uint32_t level,
                      std::vector<PrinterInfo>& out) override;
    bool OpenPrinter(const std::string& name, PrinterHandle& handle) override;
    // Jobs are done when they end: none ever waits.
    std::int32_t PrinterJobCount(const std::string& printer) override {
        return printer == printerName_ ? 0 : -1;
    }

protected:
    virtual DocumentPrinter* NewPrinter() = 0;

private:
    std::string printerName_;
    std::string portName_;
};

} // namespace zl
