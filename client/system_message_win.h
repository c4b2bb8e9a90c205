// The system's words for a Windows error code, as one line of UTF-8 without
// the full stop ("The system cannot find the file specified"), or
// "error N" where it has none.
#pragma once

#include <windows.h>

#include <string>

std::string SystemMessage(DWORD code);
