// The box's keys, one rule for every front end: what a key does, given the
// button that has the focus. The GTK and the terminal box turn their own key
// events into a BoxKey and do what the rule answers; the Windows box asks it
// for the arrows and F1 and leaves Tab, Enter, Space and the access keys to
// the dialog manager, which does the same natively.
//
// Right-to-left reading (MB_RTLREADING) changes nothing here: it sets the
// text's reading order only, the row is never mirrored (as Windows' own
// message box keeps it), so Left is always the button on the left.
#pragma once

#include "box_plan.h"

namespace vorlick {

enum class BoxKey {
  kLeft,   // and Up: the previous button, round the row
  kRight,  // and Down: the next one
  kUp,
  kDown,
  kTab,        // the next button, round the row
  kBackTab,    // Shift+Tab: the previous one
  kEnter,      // chooses the focused button
  kSpace,      // chooses the focused button
  kEscape,     // the box's escape answer, or nothing
  kHelp,       // F1
  kCharacter,  // a typed character: a button's access key, in either case
};

// What the box does after a key.
struct KeyAction {
  int focus;   // the button that has the focus now, an index in the row
  int answer;  // nonzero: the box closes with it
  bool help;   // help was asked for: F1, or the Help button chosen
};

// The key `key` (with `character` for kCharacter) on a box whose button
// `focus` has the focus. Choosing Help asks for help and keeps the box up.
// A character that is the access key of one button chooses it; where two
// labels share it (Cancel, Continue) it only moves the focus to the next of
// them, so that no keystroke picks an answer the user may not have meant.
KeyAction ActOnKey(const BoxPlan& plan, int focus, BoxKey key,
                   char32_t character = 0);

}  // namespace vorlick
