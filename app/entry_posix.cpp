// The POSIX program's entry: the request path comes from the arguments, and
// the box's result becomes the exit status.
#include "exit_status.h"
#include "request_path.h"
#include "run_request.h"

int main(int argc, char** argv) {
  return ExitStatusFor(RunRequest(RequestPathFromArgs(argc, argv)));
}
