// The launcher on POSIX: mkostemps for the request file, posix_spawn (no
// shell) for the program, waitpid for its status.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "launch_platform.h"
#include "timed_out.h"
#include "write_all.h"

// tandrel's own status for a time-out, and the dynamic loader's when it
// cannot find libvorlick.so (tandrel never exits with it itself).
const std::uint32_t kTimedOutExitCode = kTimedOutStatus;
const std::uint32_t kNoLibraryExitCode = 127;

namespace {

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  // A relative folder would depend on the program's working folder, and one
  // that starts with blanks would lose them on the program's command line.
  if (folder != nullptr && folder[0] == '/') return folder;
  return "/tmp";
}

}  // namespace

bool CreateRequestFile(const std::string& bytes, std::string& path,
                       std::string& error) {
  const std::string folder = TemporaryFolder();
  std::string name = folder + "/tandrel-ask-XXXXXX.txt";
  // O_CREAT | O_EXCL with mode 0600, under a name chosen until one is new.
  const int fd = mkostemps(name.data(), 4, O_CLOEXEC);
  if (fd < 0) {
    error = "cannot create a request file in " + folder + ": " +
            std::strerror(errno);
    return false;
  }
  const bool written = WriteAll(fd, bytes.data(), bytes.size());
  const int writeError = errno;
  if (close(fd) != 0 || !written) {
    unlink(name.c_str());
    error = "cannot write the request file " + name + ": " +
            std::strerror(written ? errno : writeError);
    return false;
  }
  path = name;
  return true;
}

ProgramRun RunProgram(const std::string& program, const std::string& request,
                      const StartedHook& started) {
  ProgramRun run;
  // tandrel forms its command line as "NAME" ARGUMENTS, so a name holding a
  // double quote would end early and spill into the path.
  std::string name = program;
  if (name.find('"') != std::string::npos) name = "tandrel";
  std::string path = request;
  std::vector<char*> argv = {name.data(), path.data(), nullptr};
  pid_t child = 0;
  const int failed = posix_spawn(&child, program.c_str(), nullptr, nullptr,
                                 argv.data(), environ);
  if (failed != 0) {
    run.error = std::strerror(failed);
    return run;
  }
  return AwaitStarted(child, started);
}

ProgramRun AwaitStarted(long pid, const StartedHook& started) {
  ProgramRun run;
  run.started = true;
  if (started) started(pid);
  int status = 0;
  while (waitpid(static_cast<pid_t>(pid), &status, 0) < 0) {
    if (errno != EINTR) {
      // ECHILD: the caller lets the system reap its children (SIGCHLD
      // ignored), and the status is gone.
      run.waited = false;
      run.error = std::strerror(errno);
      return run;
    }
  }
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  return run;
}

bool FileExists(const std::string& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0 || errno != ENOENT;
}

void RemoveFile(const std::string& path) { unlink(path.c_str()); }
