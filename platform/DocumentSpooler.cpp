#include "platform/DocumentSpooler.h"

namespace zl {

std::uint32_t DocumentPrinter::Begin(const DocInfo1& doc) {
    if (inDocument_)
        return 0;
    cause_.clear();
    std::uint32_t id = DoBegin(doc);
    inDocument_ = id != 0;
    Accept(inDocument_);
    return id;
}

bool DocumentPrinter::Finish() {
    if (!inDocument_)
        return false;
    inDocument_ = false;
    const bool delivered = Flush();
    Accept(false);
    return DoFinish(delivered);
}

bool DocumentPrinter::Cancel() {
    if (!inDocument_)
        return false;
    inDocument_ = false;
    Accept(false);
    return DoCancel();
}

DocumentPrinter* DocumentSpooler::Own(PrinterHandle handle) {
    // Every handle this spooler opened is one of its DocumentPrinters.
    if (!handle || &handle->Owner() != this) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<DocumentPrinter*>(handle);
}

std::uint32_t DocumentSpooler::StartDocPrinter(PrinterHandle handle, const DocInfo1& doc) {
    DocumentPrinter* printer = Own(handle);
    if (!printer)
        return 0;
    std::uint32_t id = printer->Begin(doc);
    if (id == 0)
        SetLastError(ERROR_NOT_READY, printer->Cause());
    return id;
}

bool DocumentSpooler::StartPagePrinter(PrinterHandle handle) {
    DocumentPrinter* printer = Own(handle);
    return printer && printer->InDocument();
}

bool DocumentSpooler::WritePrinter(PrinterHandle handle, const void* data, std::int32_t count,
                                   std::int32_t& written) {
    // Some callers write one byte at a time: such bytes take the shortest way.
    if (handle && &handle->Owner() == this &&
        static_cast<DocumentPrinter*>(handle)->TryAppendByte(data, count)) {
        written = count;
        return true;
    }
    return WriteSlowly(handle, data, count, written);
}

bool DocumentSpooler::WriteSlowly(PrinterHandle handle, const void* data, std::int32_t count,
                                  std::int32_t& written) {
    DocumentPrinter* printer = Own(handle);
    if (printer && count >= 0 && printer->InDocument() &&
        printer->Append(data, static_cast<std::size_t>(count))) {
        written = count;
        return true;
    }
    written = 0;
    SetLastError(ERROR_WRITE_FAULT, printer ? printer->Cause() : std::string());
    return false;
}

bool DocumentSpooler::EndPagePrinter(PrinterHandle handle) {
    DocumentPrinter* printer = Own(handle);
    return printer && printer->InDocument();
}

bool DocumentSpooler::EndDocPrinter(PrinterHandle handle) {
    DocumentPrinter* printer = Own(handle);
    if (!printer || !printer->Finish()) {
        SetLastError(ERROR_WRITE_FAULT, printer ? printer->Cause() : std::string());
        return false;
    }
    return true;
}

bool DocumentSpooler::AbortPrinter(PrinterHandle handle) {
    DocumentPrinter* printer = Own(handle);
    if (!printer)
        return false;
    if (printer->Cancel())
        return true;
    SetLastError(ERROR_WRITE_FAULT, printer->Cause());
    return false;
}

bool DocumentSpooler::ClosePrinter(PrinterHandle handle) {
    DocumentPrinter* printer = Own(handle);
    if (!printer)
        return false;
    // A document still open is abandoned rather than printed in part.
    printer->Cancel();
    delete printer;
    return true;
}

std::int32_t DocumentSpooler::DocumentProperties(PrinterHandle handle, const std::string& device,
                                                 DeviceMode* out, const DeviceMode* in,
                                                 std::uint32_t mode) {
    DocumentPrinter* printer = Own(handle);
    if (!printer)
        return -1;
    if (mode == 0)
        return static_cast<std::int32_t>(sizeof(DeviceMode));
    if ((mode & DM_OUT_BUFFER) && out) {
        *out = (mode & DM_IN_BUFFER) && in ? *in : DefaultDeviceMode(*printer, device);
        out->dmDeviceName = device;
    }
    return 1;
}

std::int32_t DocumentSpooler::DeviceCapabilities(const std::string&, const std::string&,
                                                 std::uint16_t, DeviceCapabilityData& out,
                                                 const DeviceMode*) {
    // No forms and no bins of its own.
    out = DeviceCapabilityData{};
    return 0;
}

DeviceMode DocumentSpooler::DefaultDeviceMode(DocumentPrinter&, const std::string& device) {
    DeviceMode mode;
    mode.dmDeviceName = device;
    return mode;
}

bool SinglePrinterSpooler::EnumPrinters(std::uint32_t, std::uint32_t,
                                        std::vector<PrinterInfo>& out) {
    out.assign(1, PrinterInfo{printerName_, portName_});
    return true;
}

bool SinglePrinterSpooler::OpenPrinter(const std::string& name, PrinterHandle& handle) {
    handle = nullptr;
    if (name != printerName_) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return false;
    }
    handle = NewPrinter();
    return true;
}

} // namespace zl
