// The POSIX program's entry: the command line is formed from argv the way
// Windows would hand it over, so the same command-tail rules apply.
#include "command_line.h"
#include "command_tail.h"
#include "exit_status.h"
#include "platform_api.h"
#include "run_request.h"

int main(int argc, char** argv) {
  SetCommandLineArgs(argc, argv);
  return ExitStatusFor(RunRequest(CommandTail(GetCommandLineW())));
}
