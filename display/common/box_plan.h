// What a box is made of, decided from the caller's style bits and defaultId
// alone, the way Windows' MessageBoxW decides it: its buttons, which one
// starts as the default, what a command, Escape or the close button gives,
// its icon and its window flags. Vorlick.dll and libvorlick.so both draw
// their boxes from this, so the two cannot disagree; nothing here needs a
// window, so every decision can be checked for every style.
#pragma once

#include <cstdint>

#include "timed_out.h"
#include "translation.h"
#include "vorlick.h"

namespace vorlick {

// The button IDs and style bits are the library's contract (vorlick.h); a
// box that closed by itself returns kIdTimeout (timed_out.h).

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
  bool topmost;  // also for a system-modal box
  bool setForeground;
  bool rightAligned;
  bool rightToLeft;
};

// Everything the style and defaultId decide, worked out once per box, and
// the language the box speaks, which the front end sets from the user's.
struct BoxPlan {
  ButtonRow buttons;
  // In `buttons`: the one `defaultId` names when the box has it, otherwise
  // the n-th of MB_DEFBUTTONn when the box has an n-th button, otherwise
  // the first.
  int defaultIndex;
  // What Escape and the close button give: Cancel where the box has it, OK
  // on a lone OK box (Help beside it changes nothing), otherwise 0: such a
  // box cannot be closed without a choice.
  int escapeAnswer;
  BoxLook look;
  Language language = kEnglish;
};

// Index of button `id` in `row`, or -1 when the row lacks it.
int IndexOf(const ButtonRow& row, int id);

// Whether a box of this style can be shown: button sets 7 to 15 cannot.
bool IsShowable(std::uint32_t style);

// The whole plan of a box. A style that cannot be shown gets no buttons
// (rather than another set's), and nothing closes its box.
BoxPlan PlanBox(std::uint32_t style, int defaultId);

// What the box returns for the command `commandId` (a click, Enter on a
// button, or IDCANCEL for Escape and the close button): the result to close
// with, or 0 while the box stays open. Help never closes the box, and a
// command for a button the box lacks is ignored.
int AnswerTo(const BoxPlan& plan, int commandId);

// What Escape, the window's close button and Alt+F4 give, on every front
// end: the result to close with, or 0 while the box stays open.
int AnswerToEscape(const BoxPlan& plan);

// Whether the box offers a way out without a choice: its close button is
// enabled and Escape closes it.
inline bool Closable(const BoxPlan& plan) { return AnswerToEscape(plan) != 0; }

// Where the focus goes from button `focus` (an index in the row) moving
// `step` buttons, round the row, as the keys move it (box_keys.h).
int MoveFocus(const BoxPlan& plan, int focus, int step);

}  // namespace vorlick
