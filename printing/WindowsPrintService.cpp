#ifdef _WIN32

#include "printing/WindowsPrintService.h"

#include "platform/Papers.h"
#include "platform/SystemText.h"
#include "platform/WindowsApi.h"

#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <memory>
#include <utility>

namespace zl {

namespace {

// "System Error.  Code: N.\n" and the system's text for `code`: what a failed
// look-up of the printers says.
std::string SystemErrorMessage(DWORD code) {
    wchar_t text[512] = {};
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, code, 0, text, std::size(text), nullptr);
    std::string words = Utf8OfWide(std::wstring(text, n));
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r'))
        words.pop_back();
    return "System Error.  Code: " + std::to_string(code) + ".\n" + words;
}

PrintFailure LookupFailure(PrintStep step, DWORD code, const std::string& printer = {}) {
    return PrintFailure(step, SystemErrorMessage(code), printer);
}

// The text before the first comma, leading blanks skipped.
std::string FirstField(const std::string& text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return {};
    return text.substr(start, text.find(',', start) - start);
}

// A spooler printer handle, closed with the object.
class PrinterHandle {
public:
    explicit PrinterHandle(const std::string& name) {
        std::wstring wide = WideOfUtf8(name);
        if (!::OpenPrinterW(wide.data(), &handle_, nullptr))
            handle_ = nullptr;
    }
    ~PrinterHandle() {
        if (handle_)
            ::ClosePrinter(handle_);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_ = nullptr;
};

// What `capability` answers for `printer`: `itemSize` bytes for each item,
// none when the driver reports none or fails.
std::vector<char> Capability(const std::string& printer, WORD capability, std::size_t itemSize) {
    const std::wstring name = WideOfUtf8(printer);
    // The count first, so that the buffer always fits what comes.
    const LONG count = ::DeviceCapabilitiesW(name.c_str(), L"", capability, nullptr, nullptr);
    if (count <= 0)
        return {};
    std::vector<char> items(itemSize * static_cast<std::size_t>(count));
    const LONG got = ::DeviceCapabilitiesW(name.c_str(), L"", capability,
                                           reinterpret_cast<wchar_t*>(items.data()), nullptr);
    items.resize(itemSize * static_cast<std::size_t>(std::clamp<LONG>(got, 0, count)));
    return items;
}

template <typename Item> Item ItemAt(const std::vector<char>& items, std::size_t index) {
    Item item{};
    if ((index + 1) * sizeof(Item) <= items.size())
        std::memcpy(&item, items.data() + index * sizeof(Item), sizeof(Item));
    return item;
}

// The names of fixed slots of `width` UTF-16 units.
std::vector<std::string> SlotNames(const std::vector<char>& items, std::size_t width) {
    std::vector<std::string> names;
    const std::size_t slot = width * sizeof(wchar_t);
    for (std::size_t at = 0; at + slot <= items.size(); at += slot) {
        std::wstring name(width, L'\0');
        std::memcpy(name.data(), items.data() + at, slot);
        name.resize(wcsnlen(name.c_str(), width));
        names.push_back(Utf8OfWide(name));
    }
    return names;
}

// The PCL paper size (ESC & l # A) of a form Windows knows by its code.
std::int32_t PclPaperSizeOf(WORD form) {
    const Paper* paper = PaperWithWindowsForm(form);
    return paper ? paper->pclPageSize : 0;
}

// The PCL paper source (ESC & l # H) of a bin Windows knows by its code.
std::int32_t PclSourceOf(WORD bin) {
    static const std::pair<WORD, std::int32_t> kSources[] = {
        {DMBIN_UPPER, 1},     {DMBIN_LOWER, 4}, {DMBIN_MANUAL, 2},       {DMBIN_ENVELOPE, 6},
        {DMBIN_ENVMANUAL, 3}, {DMBIN_AUTO, 7},  {DMBIN_LARGECAPACITY, 5}};
    for (const auto& [code, source] : kSources) {
        if (code == bin)
            return source;
    }
    return 0;
}

std::vector<PaperForm> FormsOf(const std::string& printer) {
    const std::vector<std::string> names =
        SlotNames(Capability(printer, DC_PAPERNAMES, 64 * sizeof(wchar_t)), 64);
    const std::vector<char> codes = Capability(printer, DC_PAPERS, sizeof(WORD));
    const std::vector<char> sizes = Capability(printer, DC_PAPERSIZE, sizeof(POINT));
    std::vector<PaperForm> forms;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const POINT size = ItemAt<POINT>(sizes, i);
        const WORD code = ItemAt<WORD>(codes, i);
        forms.push_back({names[i],
                         code,
                         {static_cast<std::int32_t>(size.x), static_cast<std::int32_t>(size.y)},
                         PclPaperSizeOf(code)});
    }
    return forms;
}

std::vector<PaperBin> BinsOf(const std::string& printer) {
    const std::vector<std::string> names =
        SlotNames(Capability(printer, DC_BINNAMES, 24 * sizeof(wchar_t)), 24);
    const std::vector<char> codes = Capability(printer, DC_BINS, sizeof(WORD));
    std::vector<PaperBin> bins;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const WORD code = ItemAt<WORD>(codes, i);
        bins.push_back({names[i], code, PclSourceOf(code)});
    }
    return bins;
}

DeviceSettings SettingsOf(const DEVMODEW& mode) {
    DeviceSettings settings;
    settings.paper = static_cast<std::uint16_t>(mode.dmPaperSize);
    settings.bin = static_cast<std::uint16_t>(mode.dmDefaultSource);
    return settings;
}

// The driver's default settings of `printer`.
DeviceSettings DefaultSettingsOf(const std::string& printer) {
    PrinterHandle handle(printer);
    if (!handle.Get())
        throw LookupFailure(PrintStep::Describe, ::GetLastError(), printer);
    std::wstring name = WideOfUtf8(printer);
    const LONG size =
        ::DocumentPropertiesW(nullptr, handle.Get(), name.data(), nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DEVMODEW)))
        throw LookupFailure(PrintStep::Describe, ::GetLastError(), printer);
    std::vector<char> buffer(static_cast<std::size_t>(size));
    auto* mode = reinterpret_cast<DEVMODEW*>(buffer.data());
    if (::DocumentPropertiesW(nullptr, handle.Get(), name.data(), mode, nullptr, DM_OUT_BUFFER) < 0)
        throw LookupFailure(PrintStep::Describe, ::GetLastError(), printer);
    return SettingsOf(*mode);
}

// One document of one page on an open printer; the printer is closed with
// the job, and a document not finished by then is aborted.
class WindowsJob : public PrintJob {
public:
    explicit WindowsJob(const std::string& printer) : name_(printer), printer_(printer) {}
    ~WindowsJob() override {
        if (inDocument_)
            ::AbortPrinter(printer_.Get());
    }

    // The document's failures are the spooler's: they carry no cause.
    void Start(const std::string& documentName, DataType type) {
        if (!printer_.Get())
            throw PrintFailure(PrintStep::Open, "", name_);
        std::wstring docName = WideOfUtf8(documentName);
        std::wstring raw = L"RAW";
        DOC_INFO_1W info = {};
        info.pDocName = docName.data();
        info.pOutputFile = nullptr;
        info.pDatatype = type == DataType::Raw ? raw.data() : nullptr;
        id_ = ::StartDocPrinterW(printer_.Get(), 1, reinterpret_cast<BYTE*>(&info));
        if (id_ == 0)
            throw PrintFailure(PrintStep::StartDocument, "");
        inDocument_ = true;
        ::StartPagePrinter(printer_.Get());
    }

    std::uint32_t Id() const override { return id_; }

    std::size_t Write(const char* data, std::size_t count) override {
        DWORD done = 0;
        if (!::WritePrinter(printer_.Get(), const_cast<char*>(data), static_cast<DWORD>(count),
                            &done))
            throw PrintFailure(PrintStep::Write, "");
        return done;
    }

    void Finish() override {
        inDocument_ = false;
        ::EndPagePrinter(printer_.Get());
        if (!::EndDocPrinter(printer_.Get()))
            throw PrintFailure(PrintStep::Finish, "");
    }

    void Cancel() override {
        if (!inDocument_)
            return;
        inDocument_ = false;
        if (!::AbortPrinter(printer_.Get()))
            throw PrintFailure(PrintStep::Cancel, SystemErrorMessage(::GetLastError()));
    }

private:
    std::string name_;
    PrinterHandle printer_;
    std::uint32_t id_ = 0;
    bool inDocument_ = false;
};

// The local printers and the connections, in the spooler's order.
std::vector<std::string> ListedPrinters() {
    DWORD needed = 0, returned = 0;
    std::vector<BYTE> buffer;
    // A printer installed between asking the size and reading the list
    // makes the buffer too small: ask again.
    while (!::EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4,
                            buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &returned)) {
        const DWORD err = ::GetLastError();
        if (err != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size())
            throw LookupFailure(PrintStep::ListPrinters, err);
        buffer.assign(needed, 0);
    }
    std::vector<std::string> names;
    const auto* infos = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i)
        names.push_back(infos[i].pPrinterName ? Utf8OfWide(infos[i].pPrinterName) : "");
    return names;
}

// The spooler's default printer comes from GetDefaultPrinterW: listing the
// printers with PRINTER_ENUM_DEFAULT gives none on the NT family.
std::string DefaultPrinterName() {
    DWORD size = 0;
    if (!::GetDefaultPrinterW(nullptr, &size)) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_FILE_NOT_FOUND) { // none set: the profile may name one
            wchar_t device[1024] = {};
            ::GetProfileStringW(L"windows", L"device", L"", device, std::size(device) - 1);
            return FirstField(Utf8OfWide(device));
        }
        if (err != ERROR_INSUFFICIENT_BUFFER)
            throw LookupFailure(PrintStep::FindDefault, err);
    }
    std::wstring name(size, L'\0');
    if (!::GetDefaultPrinterW(name.data(), &size))
        throw LookupFailure(PrintStep::FindDefault, ::GetLastError());
    name.resize(wcslen(name.c_str()));
    return Utf8OfWide(name);
}

} // namespace

InstalledPrinters WindowsPrintService::Printers() {
    InstalledPrinters installed;
    installed.names = ListedPrinters();
    installed.defaultName = DefaultPrinterName();
    return installed;
}

PrinterCapabilities WindowsPrintService::Capabilities(const std::string& printer) {
    PrinterCapabilities capabilities;
    capabilities.defaults = DefaultSettingsOf(printer);
    capabilities.forms = FormsOf(printer);
    capabilities.bins = BinsOf(printer);
    capabilities.twoSided =
        ::DeviceCapabilitiesW(WideOfUtf8(printer).c_str(), L"", DC_DUPLEX, nullptr, nullptr) == 1;
    return capabilities;
}

std::unique_ptr<PrintJob> WindowsPrintService::OpenJob(const std::string& printer,
                                                       const std::string& documentName,
                                                       DataType type) {
    auto job = std::make_unique<WindowsJob>(printer);
    job->Start(documentName, type);
    return job;
}

} // namespace zl

#endif
