// Fuzzes the box's plan, keys, words and countdown as every front end uses
// them:
// any style, default ID and language, every key on every button, commands
// in any order, a countdown ticked at any moments. The input: style (4 bytes),
// defaultId (4), the language (1), the time-out (4), then commands and clock
// steps (4 each).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "box_keys.h"
#include "box_plan.h"
#include "countdown.h"
#include "fuzz_check.h"
#include "translation.h"

namespace vorlick {
namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  std::uint32_t Take32() {
    std::uint8_t bytes[4] = {};
    for (std::uint8_t& byte : bytes) byte = at_ < size_ ? data_[at_++] : 0;
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, 4);
    return value;
  }
  std::uint8_t Take8() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

bool IsButtonId(int id) {
  return (id >= kIdOk && id <= kIdNo) || id == kIdHelp || id == kIdTryAgain ||
         id == kIdContinue;
}

void CheckRow(const BoxPlan& plan, std::uint32_t style, int defaultId) {
  const ButtonRow& row = plan.buttons;
  const bool help = (style & kMbHelp) != 0;
  FUZZ_CHECK(row.count >= 1 && row.count <= kMaxButtons);
  for (int i = 0; i < row.count; ++i) {
    FUZZ_CHECK(IsButtonId(row.ids[i]));
    FUZZ_CHECK((row.ids[i] == kIdHelp) == (help && i == row.count - 1));
    for (int j = 0; j < i; ++j) FUZZ_CHECK(row.ids[i] != row.ids[j]);
  }
  FUZZ_CHECK(plan.defaultIndex >= 0 && plan.defaultIndex < row.count);
  if (IndexOf(row, defaultId) >= 0) {
    FUZZ_CHECK(row.ids[plan.defaultIndex] == defaultId);
  }
}

// What Escape gives on a box of each button set 0 to 6, Help beside the
// buttons or not: Cancel where the box has it, OK on a box of OK alone,
// nothing otherwise.
constexpr int kEscapeAnswers[] = {kIdOk, kIdCancel, 0,        kIdCancel,
                                  0,     kIdCancel, kIdCancel};

void CheckAnswers(const BoxPlan& plan, std::uint32_t style, int command) {
  const int escape = kEscapeAnswers[style & 0xF];
  FUZZ_CHECK(AnswerToEscape(plan) == escape);
  FUZZ_CHECK(Closable(plan) == (escape != 0));
  const int answer = AnswerTo(plan, command);
  if (command == kIdHelp) {
    FUZZ_CHECK(answer == 0);
  } else if (IndexOf(plan.buttons, command) >= 0) {
    FUZZ_CHECK(answer == command);
  } else {
    FUZZ_CHECK(answer == (command == kIdCancel ? escape : 0));
  }
}

// Every key on every button: the focus stays on the row, only Escape
// answers other than with the focused button, and only F1 and the Help
// button ask for help, never closing the box.
void CheckKeys(const BoxPlan& plan, char32_t character) {
  for (int focus = 0; focus < plan.buttons.count; ++focus) {
    for (int k = 0; k <= static_cast<int>(BoxKey::kCharacter); ++k) {
      const auto key = static_cast<BoxKey>(k);
      const KeyAction action = ActOnKey(plan, focus, key, character);
      FUZZ_CHECK(action.focus >= 0 && action.focus < plan.buttons.count);
      const int focused = plan.buttons.ids[action.focus];
      if (key == BoxKey::kEscape) {
        FUZZ_CHECK(action.answer == AnswerToEscape(plan));
      } else {
        FUZZ_CHECK(action.answer == 0 || action.answer == focused);
      }
      FUZZ_CHECK(action.answer != kIdHelp);
      FUZZ_CHECK(!action.help || key == BoxKey::kHelp || focused == kIdHelp);
    }
  }
}

void CheckLabel(const Label& label, bool keyed) {
  FUZZ_CHECK(label.length >= 0 && label.length < kLabelUnits);
  FUZZ_CHECK(label.text[label.length] == 0);
  for (int i = 0; i < label.length; ++i) FUZZ_CHECK(label.text[i] != 0);
  FUZZ_CHECK(label.key >= -1 && label.key < label.length);
  if (keyed) FUZZ_CHECK(label.key >= 0);
}

void CheckWords(const BoxPlan& plan) {
  for (int i = 0; i < plan.buttons.count; ++i) {
    const int id = plan.buttons.ids[i];
    FUZZ_CHECK(MarkedLabel(plan.language, id)[0] != 0);
    CheckLabel(SplitLabel(MarkedLabel(plan.language, id)), false);
    CheckLabel(KeyedLabel(plan.language, id), true);
  }
}

void CheckLine(Language language, std::uint64_t seconds) {
  char16_t text[kCountdownUnits];
  const int length = FormatCountdown(language, seconds, text);
  FUZZ_CHECK(length > 0 && length < kCountdownUnits);
  FUZZ_CHECK(text[length] == 0);
  const std::string digits = std::to_string(seconds);
  const std::u16string shown(text, static_cast<std::size_t>(length));
  FUZZ_CHECK(shown.find(std::u16string(digits.begin(), digits.end())) !=
             std::u16string::npos);
}

// A countdown ticked at increasing moments: it shows the whole seconds left,
// rounded up, changes only when they do, wakes within a second, and expires
// at its deadline and stays expired.
void CheckCountdown(Input& input, int timeout, Language language) {
  std::uint64_t now = input.Take32();
  Countdown countdown = StartCountdown(timeout, now);
  FUZZ_CHECK(Runs(countdown) == (timeout > 0));
  std::uint64_t shown = 0;
  bool expired = false;
  while (!input.Empty()) {
    now += input.Take32() % 5000;
    const CountdownTick tick = Tick(countdown, now);
    if (!Runs(countdown)) {
      FUZZ_CHECK(!tick.expired && !tick.changed);
      continue;
    }
    FUZZ_CHECK(tick.expired == (now >= countdown.deadlineMs));
    FUZZ_CHECK(!expired || tick.expired);
    expired = tick.expired;
    if (expired) continue;
    const std::uint64_t left = countdown.deadlineMs - now;
    FUZZ_CHECK(tick.seconds == (left + 999) / 1000);
    FUZZ_CHECK(tick.changed == (tick.seconds != shown));
    FUZZ_CHECK(tick.wakeInMs >= 1 && tick.wakeInMs <= 1000);
    FUZZ_CHECK(tick.wakeInMs <= left);
    shown = tick.seconds;
    if (tick.changed) CheckLine(language, tick.seconds);
  }
}

}  // namespace
}  // namespace vorlick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace vorlick;
  Input input(data, size);
  const std::uint32_t style = input.Take32();
  const int defaultId = static_cast<int>(input.Take32());
  // Shipped languages, and one on each side of them.
  const Language language = input.Take8() % (LanguageCount() + 2) - 1;
  const int timeout = static_cast<int>(input.Take32());

  FUZZ_CHECK(IsShowable(style) == ((style & 0xF) < 7));
  if (!IsShowable(style)) {
    FUZZ_CHECK(PlanBox(style, defaultId).buttons.count == 0);
    return 0;
  }
  BoxPlan plan = PlanBox(style, defaultId);
  plan.language = language;
  CheckRow(plan, style, defaultId);
  CheckWords(plan);
  CheckKeys(plan, static_cast<char32_t>(timeout) & 0x1FFFFF);
  CheckAnswers(plan, style, static_cast<int>(input.Take8()) - 64);
  CheckLine(language, (static_cast<std::uint64_t>(input.Take32()) << 32) |
                          input.Take32());
  CheckCountdown(input, timeout, language);
  return 0;
}
