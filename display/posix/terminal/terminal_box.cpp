#include "terminal_box.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <mutex>
#include <utility>

#include "box_keys.h"
#include "box_text.h"
#include "deadline.h"
#include "key_decoder.h"
#include "terminal_caps.h"
#include "terminal_layout.h"
#include "terminal_screen.h"
#include "terminal_session.h"

namespace vorlick {
namespace {

// How long a lone ESC waits for the rest of an arrow key's sequence.
constexpr int kEscapeWaitMs = 50;
// How often the box looks whether a signal asked for a redraw.
constexpr int kLongestWaitMs = 100;

std::timed_mutex terminalInUse;

// Plain text shows each new number of the countdown on a line of its own:
// every second of the last ten, and before that at round numbers only, so a
// long time-out does not fill the screen.
bool WorthALine(std::uint64_t seconds) {
  if (seconds <= 10) return true;
  if (seconds <= 60) return seconds % 10 == 0;
  if (seconds <= 600) return seconds % 60 == 0;
  return seconds % 600 == 0;
}

class TerminalBox {
 public:
  TerminalBox(int fd, TerminalSession& session, TerminalScreen& screen,
              const TerminalContent& content, const Countdown& countdown)
      : fd_(fd),
        session_(session),
        screen_(screen),
        content_(content),
        countdown_(countdown),
        focus_(content.plan.defaultIndex) {}

  int Run();
  void Leave();

 private:
  std::uint64_t SecondsShown() const;
  TerminalLayout LayOut() const;
  void DrawAnew();
  void Resize();
  void SetFocus(int focus);
  int WaitMs() const;
  bool CountDown();
  int ReadKeys();
  int OnKey(const KeyEvent& event);

  const int fd_;
  TerminalSession& session_;
  TerminalScreen& screen_;
  const TerminalContent content_;
  const BoxPlan& plan_ = content_.plan;
  TerminalLayout layout_;
  Countdown countdown_;
  std::uint64_t drawnSeconds_ = 0;  // what the countdown line last showed
  int focus_;
  KeyDecoder decoder_;
  Clock::time_point lastByte_{};
};

// The countdown's number a box drawn now shows: the time-out until the
// first tick.
std::uint64_t TerminalBox::SecondsShown() const {
  return countdown_.shownSeconds > 0 ? countdown_.shownSeconds
                                     : content_.shownSeconds;
}

TerminalLayout TerminalBox::LayOut() const {
  winsize size{};
  int columns = 80, rows = 0;
  if (ioctl(fd_, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
    columns = size.ws_col, rows = size.ws_row;
  }
  TerminalContent content = content_;
  content.shownSeconds = SecondsShown();
  // Plain text scrolls on and is never redrawn: its height does not matter.
  return LayOutTerminalBox(content, focus_, columns,
                           screen_.InPlace() ? rows : 0);
}

void TerminalBox::DrawAnew() {
  layout_ = LayOut();
  screen_.Draw(layout_);
  drawnSeconds_ = SecondsShown();
  session_.SetLinesToBelow(screen_.LinesToBelow(layout_));
}

void TerminalBox::Resize() {
  TerminalLayout layout = LayOut();
  if (screen_.Replace(layout_, layout)) drawnSeconds_ = SecondsShown();
  layout_ = std::move(layout);
  session_.SetLinesToBelow(screen_.LinesToBelow(layout_));
}

void TerminalBox::Leave() {
  session_.SetLinesToBelow(0);
  screen_.MoveBelow(layout_);
}

void TerminalBox::SetFocus(int focus) {
  if (focus == focus_) return;
  focus_ = focus;
  // The same number of lines whatever the focus.
  const std::vector<std::string> buttons =
      ButtonLines(plan_, focus_, layout_.width);
  for (size_t i = 0; i < buttons.size(); ++i) {
    layout_.lines[layout_.firstButtonLine + i] = buttons[i];
  }
  screen_.Update(layout_, layout_.firstButtonLine,
                 static_cast<int>(buttons.size()));
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
  if (!tick.changed || tick.seconds == drawnSeconds_) return true;
  if (!screen_.InPlace() && !WorthALine(tick.seconds)) return true;
  drawnSeconds_ = tick.seconds;
  layout_.lines[layout_.countdownLine] =
      Truncate(CountdownLine(plan_.language, tick.seconds), layout_.width);
  screen_.Update(layout_, layout_.countdownLine, 1);
  return true;
}

// The box's key for a decoded key, or false for one the box does not use.
bool BoxKeyOf(const KeyEvent& event, BoxKey& key) {
  static constexpr std::pair<Key, BoxKey> kKeys[] = {
      {Key::kLeft, BoxKey::kLeft},   {Key::kRight, BoxKey::kRight},
      {Key::kUp, BoxKey::kUp},       {Key::kDown, BoxKey::kDown},
      {Key::kTab, BoxKey::kTab},     {Key::kBackTab, BoxKey::kBackTab},
      {Key::kEnter, BoxKey::kEnter}, {Key::kEscape, BoxKey::kEscape},
  };
  if (event.key == Key::kCharacter) {
    key = event.code == U' ' ? BoxKey::kSpace : BoxKey::kCharacter;
    return true;
  }
  for (const auto& [decoded, boxKey] : kKeys) {
    if (decoded == event.key) {
      key = boxKey;
      return true;
    }
  }
  return false;
}

// Returns the chosen ID, or 0 while the box stays. Help has no one to tell
// on a terminal.
int TerminalBox::OnKey(const KeyEvent& event) {
  BoxKey key = BoxKey::kEscape;
  if (!BoxKeyOf(event, key)) return 0;
  const KeyAction action = ActOnKey(plan_, focus_, key, event.code);
  SetFocus(action.focus);
  return action.answer;
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

int TerminalBox::Run() {
  DrawAnew();
  while (true) {
    if (session_.TakeRedraw()) DrawAnew();
    if (session_.TakeResize()) Resize();
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

int RunOnTerminal(int fd, const TerminalContent& content,
                  const Countdown& countdown) {
  // A process in the background would be stopped for reading the terminal.
  if (tcgetpgrp(fd) != getpgrp()) return 0;
  // Without an entry for the terminal, or one without what the box needs,
  // the box is plain text.
  TerminalCaps caps;
  LoadTerminalCaps(getenv("TERM"), caps);
  TerminalScreen screen(fd, caps);
  TerminalSession session;
  if (!session.Enter(fd, screen.InPlace() ? caps : TerminalCaps{})) return 0;
  TerminalBox box(fd, session, screen, content, countdown);
  const int result = box.Run();
  box.Leave();
  return result;
}

}  // namespace

int ShowTerminalBox(const BoxSetup& setup) {
  const Countdown& countdown = setup.countdown;
  std::unique_lock<std::timed_mutex> turn(terminalInUse, std::defer_lock);
  if (!Runs(countdown)) {
    turn.lock();
  } else if (!turn.try_lock_until(DeadlineOf(countdown))) {
    return kIdTimeout;  // the time ran out while another box had the terminal
  }
  const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return 0;
  const std::string title = ToDisplayTitle(setup.title);
  const std::string body = ToDisplayText(setup.body);
  const TerminalContent content{setup.plan, title, body,
                                static_cast<std::uint64_t>(setup.timeout)};
  const int result = RunOnTerminal(fd, content, countdown);
  close(fd);
  return result;
}

}  // namespace vorlick
