#include "box_model.h"

namespace vorlick {
namespace {

constexpr Button kOk{kIdOk, "OK", "_OK"};
constexpr Button kCancel{kIdCancel, "Cancel", "_Cancel"};
constexpr Button kAbort{kIdAbort, "Abort", "_Abort"};
constexpr Button kRetry{kIdRetry, "Retry", "_Retry"};
constexpr Button kIgnore{kIdIgnore, "Ignore", "_Ignore"};
constexpr Button kYes{kIdYes, "Yes", "_Yes"};
constexpr Button kNo{kIdNo, "No", "_No"};
constexpr Button kTryAgain{kIdTryAgain, "Try Again", "_Try Again"};
constexpr Button kContinue{kIdContinue, "Continue", "_Continue"};
constexpr Button kHelp{kIdHelp, "Help", "_Help"};

struct ButtonSet {
  Button buttons[3];
  int count;
};

// Indexed by style & 0xF; sets 7 to 15 do not exist.
constexpr ButtonSet kSets[] = {
    {{kOk}, 1},
    {{kOk, kCancel}, 2},
    {{kAbort, kRetry, kIgnore}, 3},
    {{kYes, kNo, kCancel}, 3},
    {{kYes, kNo}, 2},
    {{kRetry, kCancel}, 2},
    {{kCancel, kTryAgain, kContinue}, 3},
};
constexpr unsigned kSetCount = sizeof kSets / sizeof kSets[0];

// A box with Cancel closes with it; a lone OK box closes with OK (Help
// beside it changes nothing); any other box must be answered.
int EscapeId(const BoxModel& model, unsigned set) {
  if (FindButton(model, kIdCancel) >= 0) return kIdCancel;
  return set == 0 ? kIdOk : 0;
}

Icon IconOf(unsigned style) {
  switch (style & 0xF0) {
    case 0x10:
      return Icon::kError;
    case 0x20:
      return Icon::kQuestion;
    case 0x30:
      return Icon::kWarning;
    case 0x40:
      return Icon::kInformation;
    default:
      return Icon::kNone;
  }
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

}  // namespace

BoxModel MakeBoxModel(unsigned style, int defaultId) {
  BoxModel model;
  const unsigned set = style & 0xF;
  if (set >= kSetCount) return model;
  model.valid = true;
  for (int i = 0; i < kSets[set].count; ++i) {
    model.buttons[model.count++] = kSets[set].buttons[i];
  }
  if (style & kMbHelp) model.buttons[model.count++] = kHelp;

  const unsigned nth = (style >> 8) & 0xF;  // 0 for MB_DEFBUTTON1
  model.defaultIndex = nth < static_cast<unsigned>(model.count) ? nth : 0;
  const int chosen = FindButton(model, defaultId);
  if (chosen >= 0) model.defaultIndex = chosen;

  model.escapeId = EscapeId(model, set);
  model.icon = IconOf(style);
  model.keepAbove = (style & (kMbTopmost | kMbSystemModal)) != 0;
  model.foreground = (style & kMbSetForeground) != 0;
  model.rightAligned = (style & kMbRight) != 0;
  model.rightToLeft = (style & kMbRtlReading) != 0;
  return model;
}

int FindButton(const BoxModel& model, int id) {
  for (int i = 0; i < model.count; ++i) {
    if (model.buttons[i].id == id) return i;
  }
  return -1;
}

int MoveFocus(const BoxModel& model, int focus, int step) {
  if (model.count == 0) return 0;
  const int moved = (focus + step) % model.count;
  return moved < 0 ? moved + model.count : moved;
}

LetterMatch MatchLetter(const BoxModel& model, char letter, int focus) {
  LetterMatch match;
  int matches = 0;
  for (int step = 1; step <= model.count; ++step) {
    const int i = MoveFocus(model, focus, step);
    if (Lower(model.buttons[i].label[0]) != Lower(letter)) continue;
    if (matches++ == 0) match.index = i;
  }
  match.unique = matches == 1;
  return match;
}

int SecondsLeft(long long remainingMs) {
  if (remainingMs <= 0) return 0;
  return static_cast<int>((remainingMs + 999) / 1000);
}

std::string CountdownText(int seconds) {
  return "Closes in " + std::to_string(seconds) + " s";
}

}  // namespace vorlick
