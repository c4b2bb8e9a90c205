// The POSIX program's entry: the command line comes from the arguments, the
// request path is its tail as on Windows, and the box's result becomes the
// exit status.
#include "command_line.h"
#include "command_tail.h"
#include "exit_status.h"
#include "run_request.h"

int main(int argc, char** argv) {
  return ExitStatusFor(
      RunRequest(CommandTail(CommandLineFromArgs(argc, argv))));
}
