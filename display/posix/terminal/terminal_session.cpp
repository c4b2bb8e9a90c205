#include "terminal_session.h"

#include <errno.h>
#include <signal.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include "write_all.h"

namespace vorlick {
namespace {

constexpr int kEndingSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM};
constexpr int kStopSlot = 4;
constexpr int kResizeSlot = 5;
constexpr int kSignalCount = 6;  // the ending ones, SIGTSTP and SIGWINCH

// What the handlers need. Written only while no handler of ours is installed
// or running; read by them.
struct SessionState {
  int fd = -1;
  termios saved{};
  termios boxMode{};
  char hideCursor[kCapBytes] = {};
  char showCursor[kCapBytes] = {};
  struct sigaction previous[kSignalCount] = {};
  bool installed[kSignalCount] = {};
};

SessionState state;
std::atomic<int> handlersRunning{0};
std::atomic<bool> leaving{false};
std::atomic<bool> redraw{false};
std::atomic<bool> resized{false};
std::atomic<int> linesToBelow{0};
// Set for a signal whose handler of ours gave way to the process's own one;
// when the process lives on, the box takes the signal back.
std::atomic<bool> handedBack[kSignalCount];

int SlotOf(int signal) {
  for (int i = 0; i < kStopSlot; ++i) {
    if (kEndingSignals[i] == signal) return i;
  }
  return signal == SIGTSTP ? kStopSlot : kResizeSlot;
}

int SignalAt(int slot) {
  if (slot < kStopSlot) return kEndingSignals[slot];
  return slot == kStopSlot ? SIGTSTP : SIGWINCH;
}

// Async-signal-safe, as all the handlers call: only write and tcsetattr.
void Put(const char* text) { WriteAll(state.fd, text, strlen(text)); }

void RestoreModes() {
  tcsetattr(state.fd, TCSANOW, &state.saved);
  Put(state.showCursor);
}

void ApplyBoxMode() {
  tcsetattr(state.fd, TCSANOW, &state.boxMode);
  Put(state.hideCursor);
}

// Leaves the box on the screen for whatever the process does next.
void MoveBelow() {
  for (int lines = linesToBelow.exchange(0); lines > 0; --lines) Put("\r\n");
}

void OnEndingSignal(int signal) {
  ++handlersRunning;
  const int savedErrno = errno;
  MoveBelow();
  RestoreModes();
  // Blocked while this handler runs, the signal raised again is delivered on
  // return, to the disposition the process had before the box.
  sigaction(signal, &state.previous[SlotOf(signal)], nullptr);
  handedBack[SlotOf(signal)] = true;
  redraw = true;
  (void)raise(signal);
  errno = savedErrno;
  --handlersRunning;
}

void OnStopSignal(int signal) {
  ++handlersRunning;
  const int savedErrno = errno;
  MoveBelow();
  RestoreModes();
  struct sigaction ours {};
  sigaction(signal, &state.previous[SlotOf(signal)], &ours);
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, signal);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  (void)raise(signal);  // stops the process here until it is continued
  sigprocmask(SIG_BLOCK, &stop, nullptr);
  sigaction(signal, &ours, nullptr);
  if (!leaving) {
    ApplyBoxMode();
    redraw = true;
  }
  errno = savedErrno;
  --handlersRunning;
}

// Notes the resize and passes it on to the process's own handler.
void OnResize(int signal, siginfo_t* info, void* context) {
  ++handlersRunning;
  const int savedErrno = errno;
  resized = true;
  const struct sigaction& previous = state.previous[kResizeSlot];
  if ((previous.sa_flags & SA_SIGINFO) != 0) {
    if (previous.sa_sigaction != nullptr) {
      previous.sa_sigaction(signal, info, context);
    }
  } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
    previous.sa_handler(signal);
  }
  errno = savedErrno;
  --handlersRunning;
}

// Installs the handler for the signal in `slot` unless the process ignores
// the signal (or, for SIGTSTP, handles it itself). A resize is always
// watched: ignoring SIGWINCH is what its default does anyway.
void Install(int slot) {
  const int signal = SignalAt(slot);
  struct sigaction current {};
  sigaction(signal, nullptr, &current);
  state.previous[slot] = current;
  struct sigaction ours {};
  sigfillset(&ours.sa_mask);  // no other signal of ours interrupts a handler
  ours.sa_flags = SA_RESTART;
  if (slot == kResizeSlot) {
    ours.sa_sigaction = OnResize;
    ours.sa_flags |= SA_SIGINFO;
  } else {
    if (current.sa_handler == SIG_IGN) return;
    if (slot == kStopSlot && current.sa_handler != SIG_DFL) return;
    ours.sa_handler = slot == kStopSlot ? OnStopSignal : OnEndingSignal;
  }
  state.installed[slot] = sigaction(signal, &ours, nullptr) == 0;
}

void Uninstall() {
  for (int slot = 0; slot < kSignalCount; ++slot) {
    if (state.installed[slot]) {
      sigaction(SignalAt(slot), &state.previous[slot], nullptr);
    }
  }
}

void WaitForHandlers() {
  const timespec pause{0, 1000000};
  while (handlersRunning.load() != 0) nanosleep(&pause, nullptr);
}

}  // namespace

bool TerminalSession::Enter(int fd, const TerminalCaps& caps) {
  if (entered_) return true;
  termios saved{};
  if (tcgetattr(fd, &saved) != 0) return false;
  termios boxMode = saved;
  boxMode.c_lflag &= ~(ICANON | ECHO | IEXTEN);
  boxMode.c_iflag &= ~(IXON | ICRNL | INLCR | IGNCR);
  boxMode.c_cc[VMIN] = 1;
  boxMode.c_cc[VTIME] = 0;

  state = SessionState{};
  state.fd = fd, state.saved = saved, state.boxMode = boxMode;
  // Hidden only where it can be shown again.
  if (caps.showCursor[0] != 0) {
    memcpy(state.hideCursor, caps.hideCursor, sizeof state.hideCursor);
    memcpy(state.showCursor, caps.showCursor, sizeof state.showCursor);
  }
  leaving = false, redraw = false, resized = false, linesToBelow = 0;
  for (int slot = 0; slot < kSignalCount; ++slot) {
    handedBack[slot] = false;
    Install(slot);
  }
  entered_ = true;
  // Flushing drops keys typed before the box was there: they were not meant
  // as an answer to it.
  if (tcsetattr(fd, TCSAFLUSH, &boxMode) != 0) {
    Leave();
    return false;
  }
  Put(state.hideCursor);
  return true;
}

void TerminalSession::Leave() {
  if (!entered_) return;
  // Restored before the handlers go, so that a signal arriving in between
  // finds the modes already right; restored again, with the dispositions,
  // after any handler still running has finished, as a stop handler just
  // continued may have taken the box's modes and its own place again.
  leaving = true;
  linesToBelow = 0;
  RestoreModes();
  Uninstall();
  WaitForHandlers();
  Uninstall();
  tcsetattr(state.fd, TCSADRAIN, &state.saved);
  state = SessionState{};
  entered_ = false;
}

void TerminalSession::SetLinesToBelow(int lines) { linesToBelow = lines; }

bool TerminalSession::TakeRedraw() {
  if (!redraw.exchange(false)) return false;
  bool handed = false;
  for (int slot = 0; slot < kSignalCount; ++slot) {
    if (handedBack[slot].exchange(false)) {
      Install(slot);
      handed = true;
    }
  }
  // After the process's own handler the terminal has its old modes.
  if (handed) ApplyBoxMode();
  return true;
}

bool TerminalSession::TakeResize() { return resized.exchange(false); }

}  // namespace vorlick
