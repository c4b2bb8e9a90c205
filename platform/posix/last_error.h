#pragma once

#include "platform_api.h"

// Each thread's last error, as GetLastError reports it.
void SetLastError(DWORD error);
DWORD ErrorFromErrno(int error);
