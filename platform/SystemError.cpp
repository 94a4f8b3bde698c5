#include "platform/SystemError.h"

#include "platform/Spooler.h"

#ifdef _WIN32
#include "platform/WindowsApi.h"
#endif

namespace zl {

namespace {

std::string SystemText(std::uint32_t code) {
#ifdef _WIN32
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, text, sizeof text, nullptr);
    std::string result(text, n);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r'))
        result.pop_back();
    return result;
#else
    switch (code) {
    case ERROR_SUCCESS:
        return "The operation completed successfully";
    case ERROR_INVALID_HANDLE:
        return "The handle is invalid";
    case ERROR_NOT_READY:
        return "The device is not ready";
    case ERROR_WRITE_FAULT:
        return "The system cannot write to the specified device";
    case ERROR_INSUFFICIENT_BUFFER:
        return "The data area passed to a system call is too small";
    case ERROR_INVALID_NAME:
        return "The filename, directory name, or volume label syntax is incorrect";
    case ERROR_INVALID_PRINTER_NAME:
        return "The printer name is invalid";
    default:
        return "Unknown error";
    }
#endif
}

} // namespace

std::string SystemErrorMessage(std::uint32_t code) {
    return "System Error.  Code: " + std::to_string(code) + ".\n" + SystemText(code);
}

} // namespace zl
