// The Windows headers, without the macros that would rename the spooler
// interface's own operations (EnumPrinters becomes EnumPrintersA, ...).
// Windows builds only; calls to Windows use the explicit A forms.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winspool.h>

#undef EnumPrinters
#undef GetProfileString
#undef OpenPrinter
#undef StartDocPrinter
#undef DocumentProperties
#undef DeviceCapabilities
#endif
