#include "terminal_box.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <mutex>

#include "box_keys.h"
#include "key_decoder.h"
#include "terminal_layout.h"
#include "terminal_session.h"

namespace vorlick {
namespace {

// How long a lone ESC waits for the rest of an arrow key's sequence.
constexpr int kEscapeWaitMs = 50;
// How often the box looks whether a signal asked for a redraw.
constexpr int kLongestWaitMs = 100;
constexpr char kEraseLine[] = "\x1b[2K";

std::timed_mutex terminalInUse;

class TerminalBox {
 public:
  TerminalBox(int fd, const BoxPlan& plan, TerminalLayout layout,
              const Countdown& countdown)
      : fd_(fd),
        plan_(plan),
        layout_(std::move(layout)),
        countdown_(countdown),
        focus_(plan.defaultIndex) {}

  int Run(TerminalSession& session);

 private:
  void Write(const std::string& text);
  void DrawAll();
  void RewriteLine(int index);
  void SetFocus(int focus);
  int WaitMs() const;
  bool CountDown();
  int ReadKeys();
  int OnKey(const KeyEvent& event);
  int Choose(int index);

  const int fd_;
  const BoxPlan& plan_;
  TerminalLayout layout_;
  Countdown countdown_;
  int focus_;
  KeyDecoder decoder_;
  Clock::time_point lastByte_{};
};

void TerminalBox::Write(const std::string& text) {
  const char* p = text.data();
  size_t left = text.size();
  while (left > 0) {
    const ssize_t written = write(fd_, p, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // a hung-up terminal shows up at the next read
    p += written;
    left -= static_cast<size_t>(written);
  }
}

// Draws the box below the cursor and leaves the cursor on its last line.
void TerminalBox::DrawAll() {
  std::string out = "\r\n";
  for (size_t i = 0; i < layout_.lines.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += kEraseLine + layout_.lines[i];
  }
  Write(out);
}

// Rewrites one line in place: up to it, and back down to the last line.
void TerminalBox::RewriteLine(int index) {
  const int up = static_cast<int>(layout_.lines.size()) - 1 - index;
  const std::string move = std::to_string(up);
  std::string out = "\r";
  if (up > 0) out += "\x1b[" + move + "A";
  out += kEraseLine + layout_.lines[index] + "\r";
  if (up > 0) out += "\x1b[" + move + "B";
  Write(out);
}

void TerminalBox::SetFocus(int focus) {
  focus_ = focus;
  layout_.lines.back() = ButtonLine(plan_, focus_);
  RewriteLine(static_cast<int>(layout_.lines.size()) - 1);
}

int TerminalBox::WaitMs() const {
  int wait = kLongestWaitMs;
  if (Runs(countdown_)) {
    Countdown probe = countdown_;
    const auto tick = static_cast<int>(Tick(probe, NowMs()).wakeInMs);
    if (tick < wait) wait = tick;
  }
  if (decoder_.Pending()) {
    const auto since = std::chrono::duration_cast<std::chrono::milliseconds>(
        Clock::now() - lastByte_);
    const long long left = kEscapeWaitMs - since.count();
    if (left < wait) wait = left > 0 ? static_cast<int>(left) : 0;
  }
  return wait;
}

// Updates the countdown line; false when the time is up.
bool TerminalBox::CountDown() {
  const CountdownTick tick = Tick(countdown_, NowMs());
  if (tick.expired) return false;
  if (tick.changed) {
    layout_.lines[layout_.countdownLine] =
        CountdownLine(plan_.language, tick.seconds);
    RewriteLine(layout_.countdownLine);
  }
  return true;
}

int TerminalBox::Choose(int index) {
  return AnswerTo(plan_, plan_.buttons.ids[index]);
}

// Returns the chosen ID, or 0 while the box stays.
int TerminalBox::OnKey(const KeyEvent& event) {
  switch (event.key) {
    case Key::kLeft:
    case Key::kUp:
    case Key::kBackTab:
      SetFocus(MoveFocus(plan_, focus_, -1));
      return 0;
    case Key::kRight:
    case Key::kDown:
    case Key::kTab:
      SetFocus(MoveFocus(plan_, focus_, 1));
      return 0;
    case Key::kEnter:
      return Choose(focus_);
    case Key::kEscape:
      return AnswerToEscape(plan_);
    case Key::kLetter: {
      const LetterMatch match = MatchLetter(plan_, event.letter, focus_);
      if (match.index < 0) return 0;
      SetFocus(match.index);
      return match.unique ? Choose(match.index) : 0;
    }
    default:
      return 0;
  }
}

// Reads what the terminal sent; returns the chosen ID, 0 while the box
// stays, or -1 when the terminal is gone.
int TerminalBox::ReadKeys() {
  unsigned char bytes[64];
  const ssize_t count = read(fd_, bytes, sizeof bytes);
  if (count < 0 && (errno == EINTR || errno == EAGAIN)) return 0;
  if (count <= 0) return -1;
  lastByte_ = Clock::now();
  for (ssize_t i = 0; i < count; ++i) {
    KeyEvent event;
    if (!decoder_.Push(bytes[i], event)) continue;
    const int id = OnKey(event);
    if (id != 0) return id;
  }
  return 0;
}

int TerminalBox::Run(TerminalSession& session) {
  DrawAll();
  while (true) {
    if (session.TakeRedraw()) DrawAll();
    if (!CountDown()) return kIdTimeout;
    pollfd watch{fd_, POLLIN, 0};
    const int ready = poll(&watch, 1, WaitMs());
    if (ready < 0 && errno != EINTR) return 0;
    if (ready > 0) {
      const int id = ReadKeys();
      if (id != 0) return id > 0 ? id : 0;
    } else if (decoder_.Pending() && WaitMs() == 0) {
      KeyEvent event;
      decoder_.Flush(event);
      const int id = OnKey(event);
      if (id != 0) return id;
    }
  }
}

void TerminalSize(int fd, int& columns, int& rows) {
  winsize size{};
  columns = 80, rows = 0;
  if (ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
    columns = size.ws_col, rows = size.ws_row;
  }
}

int ShowOnTerminal(int fd, const BoxPlan& plan, const std::string& caption,
                   const std::string& text, int timeoutSeconds,
                   const Countdown& countdown) {
  // A process in the background would be stopped for reading the terminal.
  if (tcgetpgrp(fd) != getpgrp()) return 0;
  int columns = 0, rows = 0;
  TerminalSize(fd, columns, rows);
  TerminalBox box(
      fd, plan,
      LayOutTerminalBox(plan, caption, text, timeoutSeconds, columns, rows),
      countdown);
  TerminalSession session;
  if (!session.Enter(fd)) return 0;
  const int result = box.Run(session);
  // Below the box, so that what comes next does not overwrite it.
  const char below[] = "\r\n";
  while (write(fd, below, 2) < 0 && errno == EINTR) {
  }
  return result;
}

}  // namespace

int ShowTerminalBox(const BoxPlan& plan, const std::string& caption,
                    const std::string& text, int timeoutSeconds,
                    const Countdown& countdown) {
  std::unique_lock<std::timed_mutex> turn(terminalInUse, std::defer_lock);
  if (!Runs(countdown)) {
    turn.lock();
  } else if (!turn.try_lock_until(DeadlineOf(countdown))) {
    return kIdTimeout;  // the time ran out while another box had the terminal
  }
  const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return 0;
  const int result =
      ShowOnTerminal(fd, plan, caption, text, timeoutSeconds, countdown);
  close(fd);
  return result;
}

}  // namespace vorlick
