// The Windows headers, without the min and max macros. Windows builds only;
// calls to Windows use the explicit A forms.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
