// The Windows headers, without the min and max macros. Windows builds only;
// calls to Windows use the explicit W forms for text that may go beyond
// ASCII (file and printer names, the system's words; platform/SystemText.h
// converts), else the A forms.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
