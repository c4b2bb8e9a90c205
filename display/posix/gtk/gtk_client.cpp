#include "gtk_client.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <link.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "box_plan.h"
#include "deadline.h"
#include "helper_protocol.h"
#include "write_all.h"

namespace vorlick {
namespace {

// At its time-out the helper closes the box itself and answers; a helper
// that has not done so this much later (its display hangs) is ended.
constexpr int kTimeoutGraceMs = 300;
// How long a helper that answered, or ended, may take to exit.
constexpr int kExitWaitMs = 1000;
// How long a helper still running when its caller gives up may take to
// notice and exit before it is killed.
constexpr int kGiveUpWaitMs = 100;

// vorlick-gtk in the folder this library was loaded from, the program's
// private folder.
bool FindHelper(char (&path)[PATH_MAX]) {
  Dl_info info;
  link_map* map = nullptr;
  if (dladdr1(reinterpret_cast<void*>(&FindHelper), &info,
              reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 ||
      map == nullptr) {
    return false;
  }
  // The loader's absolute folder of the library, also where it was loaded
  // by a relative path.
  char origin[PATH_MAX];
  if (dlinfo(map, RTLD_DI_ORIGIN, origin) != 0) return false;
  const int length = snprintf(path, sizeof path, "%s/vorlick-gtk", origin);
  return length > 0 && length < static_cast<int>(sizeof path);
}

struct HelperRun {
  pid_t pid = -1;   // -1 once reaped
  int socket = -1;  // the library's end; -1 once closed
};

// Moves `fd` above the standard descriptors, whatever the caller closed, so
// that setting up the helper's 0 to 2 cannot touch it.
int AboveStandard(int fd) {
  if (fd > STDERR_FILENO) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  close(fd);
  return moved;
}

// The helper gets its end of the socket as descriptor 3 and nothing else of
// the caller's but standard error: stdin and stdout are /dev/null, every
// other descriptor is closed, whether or not the caller marked it
// close-on-exec (another thread may be starting a program of its own).
void SetUpDescriptors(posix_spawn_file_actions_t& actions, int helperEnd) {
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, helperEnd, 3);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null",
                                   O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null",
                                   O_WRONLY, 0);
  // Without a standard error of its own, whatever the helper opened next
  // would get descriptor 2 and GTK's warnings with it.
  if (fcntl(STDERR_FILENO, F_GETFD) < 0) {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null",
                                     O_WRONLY, 0);
  }
  posix_spawn_file_actions_addclosefrom_np(&actions, 4);
}

// Signals as a new program expects them: none blocked, none handled or
// ignored. The helper has a process group of its own, so that the keys of a
// terminal (Ctrl-C) reach the caller alone, who may handle them: the helper
// ends when its caller does, as it sees its socket close.
void SetUpSignals(posix_spawnattr_t& attributes) {
  posix_spawnattr_init(&attributes);
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK |
                                            POSIX_SPAWN_SETSIGDEF |
                                            POSIX_SPAWN_SETPGROUP);
}

bool Spawn(HelperRun& run) {
  char path[PATH_MAX];
  if (!FindHelper(path)) return false;
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    return false;
  }
  ends[0] = AboveStandard(ends[0]);
  ends[1] = AboveStandard(ends[1]);
  bool started = false;
  if (ends[0] >= 0 && ends[1] >= 0) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    SetUpDescriptors(actions, ends[1]);
    SetUpSignals(attributes);
    char name[] = "vorlick-gtk";
    char* argv[] = {name, nullptr};
    started =
        posix_spawn(&run.pid, path, &actions, &attributes, argv, environ) == 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
  }
  if (ends[1] >= 0) close(ends[1]);
  if (!started) {
    if (ends[0] >= 0) close(ends[0]);
    return false;
  }
  run.socket = ends[0];
  return true;
}

std::uint32_t Units(const char16_t* text) {
  std::uint32_t units = 0;
  while (text != nullptr && text[units] != 0 && units < kMostUnits) ++units;
  return units;
}

// Sent in whole; a helper that died shows up as its silence. SendAll, so that
// a helper gone does not end the caller with SIGPIPE.
void SendRequest(int socket, const BoxSetup& setup) {
  HelperRequest request{};
  for (int i = 0; i < 8; ++i) request.magic[i] = kRequestMagic[i];
  WritePlan(setup.plan, request);
  request.timeout = setup.timeout;
  request.titleUnits = Units(setup.title);
  request.bodyUnits = Units(setup.body);
  request.deadlineMs = setup.countdown.deadlineMs;
  CopyName(program_invocation_short_name, request.program);
  SendAll(socket, &request, sizeof request);
  SendAll(socket, setup.title, request.titleUnits * sizeof(char16_t));
  SendAll(socket, setup.body, request.bodyUnits * sizeof(char16_t));
}

enum class Ending { kAnswered, kEnded, kTimedOut };

// Milliseconds poll() may wait: until the time-out and its grace, or for
// ever (-1) without one; 0 when that time has passed.
int WaitMs(const Countdown& countdown) {
  if (!Runs(countdown)) return -1;
  const std::uint64_t end = countdown.deadlineMs + kTimeoutGraceMs;
  const std::uint64_t now = NowMs();
  if (now >= end) return 0;
  return end - now > INT_MAX ? INT_MAX : static_cast<int>(end - now);
}

// Reads the helper's reports until it answers, ends, or overstays the
// time-out. poll and read are cancellation points.
Ending AwaitAnswer(int socket, const Countdown& countdown,
                   ReportReader& reader) {
  while (true) {
    const int wait = WaitMs(countdown);
    if (wait == 0) return Ending::kTimedOut;
    pollfd watch{socket, POLLIN, 0};
    const int ready = poll(&watch, 1, wait);
    if (ready < 0 && errno != EINTR) return Ending::kEnded;
    if (ready <= 0) continue;
    char bytes[64];
    const ssize_t got = read(socket, bytes, sizeof bytes);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return Ending::kEnded;
    reader.Feed(bytes, static_cast<std::size_t>(got));
    if (reader.answered()) return Ending::kAnswered;
  }
}

// Closes the library's end (a helper still running sees it and exits) and
// reaps the helper, killing it when it has not exited within `ms`. Where the
// caller ignores SIGCHLD or reaps children itself, the helper may already
// be gone: waitpid then reports it as no child of ours.
void EndHelper(HelperRun& run, int ms) {
  if (run.socket >= 0) close(run.socket), run.socket = -1;
  if (run.pid < 0) return;
  const std::uint64_t end = NowMs() + static_cast<std::uint64_t>(ms);
  while (true) {
    const pid_t got = waitpid(run.pid, nullptr, WNOHANG);
    if (got == run.pid || (got < 0 && errno != EINTR)) break;
    if (got == 0 && NowMs() >= end) {
      kill(run.pid, SIGKILL);
      while (waitpid(run.pid, nullptr, 0) < 0 && errno == EINTR) {
      }
      break;
    }
    if (got == 0) usleep(1000);
  }
  run.pid = -1;
}

// A cancelled caller's thread ends its helper at once.
void KillHelper(void* run) { EndHelper(*static_cast<HelperRun*>(run), 0); }

}  // namespace

bool MayHaveDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "GDK_BACKEND"}) {
    const char* value = getenv(name);
    if (value != nullptr && value[0] != 0) return true;
  }
  return false;
}

GtkOutcome ShowGtkBox(const BoxSetup& setup) {
  HelperRun run;
  if (!Spawn(run)) return {false, 0};
  ReportReader reader;
  Ending ending = Ending::kEnded;
  pthread_cleanup_push(KillHelper, &run);
  SendRequest(run.socket, setup);
  ending = AwaitAnswer(run.socket, setup.countdown, reader);
  EndHelper(run, ending == Ending::kTimedOut ? kGiveUpWaitMs : kExitWaitMs);
  pthread_cleanup_pop(0);
  switch (ending) {
    case Ending::kAnswered:
      return {true, reader.answer()};
    case Ending::kTimedOut:
      return {true, kIdTimeout};
    default:
      // Silent before "opened": no display could be opened, or GTK could
      // not even start. After it: the display went away under the box.
      return {reader.opened(), 0};
  }
}

}  // namespace vorlick
