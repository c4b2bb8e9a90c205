// How the keyboard reaches the buttons of the GTK and the terminal box:
// plain letters and the access keys, in the box's language. The box itself,
// its buttons, default, answers and the arrows' focus moves, is the shared
// BoxPlan.
#pragma once

#include <string>

#include "box_plan.h"

namespace vorlick {

// A typed letter picks the button whose access key it is, in either case.
// Where two labels share the letter (Cancel, Continue) the letter only moves
// the focus to the next of them, as a shared access key does, so that no
// keystroke picks an answer the user may not have meant.
struct LetterMatch {
  int index = -1;  // -1: no label has the letter as its access key
  bool unique = false;
};
LetterMatch MatchLetter(const BoxPlan& plan, char32_t letter, int focus);

// The label in UTF-8 as a GTK button takes it, its access key marked with
// '_' on every button ("_Ja", "_OK", "キャンセル(_C)"); a '_' of the label
// itself is doubled. Empty for an ID of no button.
std::string MnemonicLabel(Language language, int buttonId);

// The label in UTF-8 as the terminal shows it, without a mark.
std::string ShownLabel(Language language, int buttonId);

}  // namespace vorlick
