// tandrel-ask on POSIX: arguments and standard streams are bytes, taken as
// UTF-8; tandrel is the program beside it.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include "ask_tool.h"
#include "read_all.h"
#include "tool_platform.h"
#include "write_all.h"

const char* const kProgramName = "tandrel";
const char* const kSessionHelp =
    "      --session[=ID]     show it in the active graphical session of seat0,"
    " or in\n"
    "                         session ID, as that session's user (needs root)\n"
    "      --user NAME        show it in the active graphical session of user"
    " NAME\n";

namespace {

// The signals that end a program which does not handle them, and that a
// user sends to stop one: passed on to the box, which then ends as well.
constexpr int kGuarded[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
volatile std::sig_atomic_t received = 0;
std::atomic<pid_t> program{0};
static_assert(std::atomic<pid_t>::is_always_lock_free);

void PassOn(int signal) {
  received = signal;
  const pid_t target = program.load();
  if (target > 0) kill(target, signal);
}

}  // namespace

std::string DefaultProgram() {
  std::string self(PATH_MAX, '\0');
  const ssize_t length = readlink("/proc/self/exe", self.data(), self.size());
  if (length <= 0 || static_cast<std::size_t>(length) == self.size()) return {};
  self.resize(static_cast<std::size_t>(length));
  return self.substr(0, self.rfind('/') + 1) + kProgramName;
}

bool ReadStandardInput(std::string& bytes, std::size_t limit,
                       std::string& error) {
  bytes.assign(limit + 1, '\0');
  const ReadCount count = ReadAll(STDIN_FILENO, bytes.data(), bytes.size());
  bytes.resize(count.bytes);
  if (count.failed) error = std::strerror(errno);
  return !count.failed;
}

void WriteStandardOutput(const std::string& text) {
  WriteAll(STDOUT_FILENO, text.data(), text.size());
}

void WriteStandardError(const std::string& text) {
  WriteAll(STDERR_FILENO, text.data(), text.size());
}

StartedHook GuardSignals() {
  struct sigaction action {};
  action.sa_handler = PassOn;
  sigemptyset(&action.sa_mask);
  for (int signal : kGuarded) {
    struct sigaction before {};
    // A signal the caller ignores (nohup) stays ignored, for the box too.
    if (sigaction(signal, nullptr, &before) == 0 &&
        before.sa_handler != SIG_IGN) {
      sigaction(signal, &action, nullptr);
    }
  }
  return [](long processId) {
    program = static_cast<pid_t>(processId);
    // A signal that came before the program's ID was known.
    if (received != 0) kill(program, received);
  };
}

void RaiseGuardedSignal() {
  program = 0;
  if (received == 0) return;
  (void)std::signal(received, SIG_DFL);
  (void)std::raise(received);
}

int main(int argc, char** argv) {
  return RunAskTool(std::vector<std::string>(argv + 1, argv + argc));
}
