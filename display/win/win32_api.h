// windows.h as the whole library includes it: the lean part, and without
// the min and max macros, which would clash with every other min and max.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
