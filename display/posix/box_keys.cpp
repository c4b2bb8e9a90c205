#include "box_keys.h"

#include "box_text.h"

namespace vorlick {
namespace {

// The access key of the button's label, or 0 when it has none.
char32_t AccessKey(Language language, int buttonId) {
  const Label label = KeyedLabel(language, buttonId);
  return label.key >= 0 ? label.text[label.key] : 0;
}

}  // namespace

LetterMatch MatchLetter(const BoxPlan& plan, char32_t letter, int focus) {
  LetterMatch match;
  int matches = 0;
  for (int step = 1; step <= plan.buttons.count; ++step) {
    const int i = MoveFocus(plan, focus, step);
    const char32_t key = AccessKey(plan.language, plan.buttons.ids[i]);
    if (key == 0 || FoldCase(key) != FoldCase(letter)) continue;
    if (matches++ == 0) match.index = i;
  }
  match.unique = matches == 1;
  return match;
}

std::string MnemonicLabel(Language language, int buttonId) {
  const Label label = KeyedLabel(language, buttonId);
  char16_t marked[2 * kLabelUnits];
  int length = 0;
  for (int i = 0; i < label.length; ++i) {
    if (i == label.key || label.text[i] == u'_') marked[length++] = u'_';
    marked[length++] = label.text[i];
  }
  marked[length] = 0;
  return ToDisplayText(marked);
}

std::string ShownLabel(Language language, int buttonId) {
  return ToDisplayText(KeyedLabel(language, buttonId).text);
}

}  // namespace vorlick
