// One whole run: read the request file named by `requestPath`, show its box
// through the display library, delete the file, return the box's result.
#pragma once

#include <cstdint>

#include "message_request.h"

// The error box's text: "Tandrel.exe. Can not open file " and the path,
// verbatim; a path too long for the buffer is cut so the whole message still
// ends with its terminator inside it.
void FormatOpenFailure(const char16_t* requestPath, RequestText& message);

// Returns the display library's result after a completed run, or 0 when the
// request file cannot be opened or read (after the error box is closed). The
// file is deleted only after a completed run, and only if its path still
// names the very file that was read (not a link, not another file).
std::int32_t RunRequest(const char16_t* requestPath);
