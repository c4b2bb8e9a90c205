// What a box shows and how it answers, decided from the caller's style bits
// alone. No window code lives here, so every decision can be checked for
// every style without showing anything.
#pragma once

#include <cstdint>

namespace vorlick {

// The button IDs, with the values MessageBoxW returns for them.
enum ButtonId : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdAbort = 3,
  kIdRetry = 4,
  kIdIgnore = 5,
  kIdYes = 6,
  kIdNo = 7,
  kIdHelp = 9,
  kIdTryAgain = 10,
  kIdContinue = 11,
};

// The result of a box that closed by itself.
inline constexpr int kIdTimeout = 32000;

// Three buttons of the largest set and Help.
inline constexpr int kMaxButtons = 4;

enum class Icon { kNone, kError, kQuestion, kWarning, kInformation };
enum class Modality { kApplication, kSystem, kTask };

// The buttons of a box, left to right; Help, when asked for, is the last.
struct ButtonRow {
  int ids[kMaxButtons];
  int count;
};

// How the box looks and behaves beyond its buttons.
struct BoxLook {
  Icon icon;
  Modality modality;
  bool topmost;
  bool setForeground;
  bool rightAligned;
  bool rightToLeft;
};

// Index of button `id` in `row`, or -1 when the row lacks it.
int IndexOf(const ButtonRow& row, int id);

// Whether a box of this style can be shown: button sets 7 to 15 cannot.
bool IsShowable(std::uint32_t style);

// The buttons of a showable style.
ButtonRow ButtonsOf(std::uint32_t style);

// Index in ButtonsOf(style) of the default button: the one `defaultId` names
// when the box has it, otherwise the n-th of MB_DEFBUTTONn, otherwise the
// first.
int DefaultIndex(std::uint32_t style, int defaultId);

// What the box returns for the command `commandId` (a click, Enter, Escape
// or the close button, which all arrive as commands): the result to close
// with, or 0 when the box stays open. Escape and the close button arrive as
// IDCANCEL.
int AnswerTo(std::uint32_t style, int commandId);

BoxLook LookOf(std::uint32_t style);

// The button's label, with its mnemonic; empty for an unknown ID.
const char16_t* LabelOf(int buttonId);

}  // namespace vorlick
