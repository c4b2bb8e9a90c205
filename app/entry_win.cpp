// The Windows program's entry: it needs no C runtime, so the process starts
// here, forms the command tail, runs the request and ends with its result.
#include "command_tail.h"
#include "platform_api.h"
#include "run_request.h"

extern "C" [[noreturn]] void WINAPI TandrelEntry() {
  const auto* commandLine =
      reinterpret_cast<const char16_t*>(::GetCommandLineW());
  // The whole 32-bit result is the exit code: -1 reads as 0xFFFFFFFF.
  ExitProcess(static_cast<UINT>(RunRequest(CommandTail(commandLine))));
}
