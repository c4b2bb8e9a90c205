#include "box_keys.h"

namespace vorlick {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

// The letter of the button's access key, or 0 when it has none.
char AccessLetter(int buttonId) {
  const ButtonLabel label = LabelOf(buttonId);
  return label.accessKey >= 0 ? label.text[label.accessKey] : 0;
}

}  // namespace

int MoveFocus(const BoxPlan& plan, int focus, int step) {
  const int count = plan.buttons.count;
  if (count == 0) return 0;
  const int moved = (focus + step) % count;
  return moved < 0 ? moved + count : moved;
}

LetterMatch MatchLetter(const BoxPlan& plan, char letter, int focus) {
  LetterMatch match;
  int matches = 0;
  for (int step = 1; step <= plan.buttons.count; ++step) {
    const int i = MoveFocus(plan, focus, step);
    const char key = AccessLetter(plan.buttons.ids[i]);
    if (key == 0 || Lower(key) != Lower(letter)) continue;
    if (matches++ == 0) match.index = i;
  }
  match.unique = matches == 1;
  return match;
}

int MnemonicLabel(int buttonId, char (&out)[kLabelUnits]) {
  const ButtonLabel label = LabelOf(buttonId);
  return MarkLabel(label.text, label.accessKey, '_', out);
}

}  // namespace vorlick
