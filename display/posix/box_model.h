// What a box is made of, worked out from the caller's style bits and
// defaultId alone: its buttons, which one starts as the default, what Escape
// and the close button give, its icon and its window flags. Both the GTK and
// the terminal box are drawn from this, so they cannot disagree.
#pragma once

#include <string>

namespace vorlick {

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
inline constexpr int kIdHelp = 9;
inline constexpr int kIdTryAgain = 10;
inline constexpr int kIdContinue = 11;
inline constexpr int kIdTimeout = 32000;

inline constexpr unsigned kMbHelp = 0x4000;
inline constexpr unsigned kMbSystemModal = 0x1000;
inline constexpr unsigned kMbSetForeground = 0x10000;
inline constexpr unsigned kMbTopmost = 0x40000;
inline constexpr unsigned kMbRight = 0x80000;
inline constexpr unsigned kMbRtlReading = 0x100000;

enum class Icon { kNone, kError, kQuestion, kWarning, kInformation };

struct Button {
  int id;
  const char* label;          // "Try Again"
  const char* mnemonicLabel;  // "_Try Again": access key marked for GTK
};

// Three buttons of a set plus Help.
inline constexpr int kMaxButtons = 4;

struct BoxModel {
  bool valid = false;  // false: the box cannot be shown (result 0)
  Button buttons[kMaxButtons] = {};
  int count = 0;
  int defaultIndex = 0;
  int escapeId = 0;  // what Escape and closing give; 0: they do nothing
  Icon icon = Icon::kNone;
  bool keepAbove = false;
  bool foreground = false;
  bool rightAligned = false;
  bool rightToLeft = false;
};

BoxModel MakeBoxModel(unsigned style, int defaultId);

// Index of the button with `id`, or -1.
int FindButton(const BoxModel& model, int id);

// Whether choosing the button ends the box: Help leaves it open.
inline bool ClosesBox(int id) { return id != kIdHelp; }

// The focus after moving `step` buttons from `focus`, wrapping around.
int MoveFocus(const BoxModel& model, int focus, int step);

// A typed letter picks the button whose label starts with it. Where two
// labels share the letter (Cancel, Continue) the letter only moves the focus
// to the next of them, as a shared access key does, so that no keystroke
// picks an answer the user may not have meant.
struct LetterMatch {
  int index = -1;  // -1: no label starts with the letter
  bool unique = false;
};
LetterMatch MatchLetter(const BoxModel& model, char letter, int focus);

// Whole seconds left, rounded up, of `remainingMs` milliseconds.
int SecondsLeft(long long remainingMs);

// The countdown line: "Closes in N s".
std::string CountdownText(int seconds);

}  // namespace vorlick
