#pragma once

// The Windows headers as every file of this backend takes them: wide-character API, no min/max
// macros, none of the rarely used parts.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
