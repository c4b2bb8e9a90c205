// How the keyboard reaches the buttons of the GTK and the terminal box:
// focus moving round the row, plain letters, and the access key GTK marks.
// The box itself, its buttons, default and answers, is the shared BoxPlan.
#pragma once

#include "box_style.h"
#include "button_label.h"

namespace vorlick {

// The focus after moving `step` buttons from `focus`, wrapping around.
int MoveFocus(const BoxPlan& plan, int focus, int step);

// A typed letter picks the button whose access key it is. Where two labels
// share the letter (Cancel, Continue) the letter only moves the focus to
// the next of them, as a shared access key does, so that no keystroke picks
// an answer the user may not have meant.
struct LetterMatch {
  int index = -1;  // -1: no label has the letter as its access key
  bool unique = false;
};
LetterMatch MatchLetter(const BoxPlan& plan, char letter, int focus);

// The label as a GTK button takes it, its access key marked with '_' on
// every button, as GTK's own buttons have it ("_OK", "_Try Again"). Returns
// its length; an ID of no button gives an empty label.
int MnemonicLabel(int buttonId, char (&out)[kLabelUnits]);

}  // namespace vorlick
