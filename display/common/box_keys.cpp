#include "box_keys.h"

namespace vorlick {
namespace {

// The access key of the button's label as the Linux boxes show it (every
// button has one there), or 0 when it has none.
char32_t AccessKey(Language language, int buttonId) {
  const Label label = KeyedLabel(language, buttonId);
  return label.key >= 0 ? label.text[label.key] : 0;
}

KeyAction Choose(const BoxPlan& plan, int index) {
  const int id = plan.buttons.ids[index];
  return {index, AnswerTo(plan, id), id == kIdHelp};
}

// The next button after `focus` whose access key `letter` is, and whether
// it is the only one.
KeyAction OnCharacter(const BoxPlan& plan, int focus, char32_t letter) {
  int first = -1;
  int matches = 0;
  for (int step = 1; step <= plan.buttons.count; ++step) {
    const int i = MoveFocus(plan, focus, step);
    const char32_t key = AccessKey(plan.language, plan.buttons.ids[i]);
    if (key == 0 || FoldCase(key) != FoldCase(letter)) continue;
    if (matches++ == 0) first = i;
  }
  if (matches == 0) return {focus, 0, false};
  if (matches > 1) return {first, 0, false};
  return Choose(plan, first);
}

}  // namespace

KeyAction ActOnKey(const BoxPlan& plan, int focus, BoxKey key,
                   char32_t character) {
  if (plan.buttons.count == 0) return {0, 0, false};
  switch (key) {
    case BoxKey::kLeft:
    case BoxKey::kUp:
    case BoxKey::kBackTab:
      return {MoveFocus(plan, focus, -1), 0, false};
    case BoxKey::kRight:
    case BoxKey::kDown:
    case BoxKey::kTab:
      return {MoveFocus(plan, focus, 1), 0, false};
    case BoxKey::kEnter:
    case BoxKey::kSpace:
      return Choose(plan, focus);
    case BoxKey::kEscape:
      return {focus, AnswerToEscape(plan), false};
    case BoxKey::kHelp:
      return {focus, 0, true};
    case BoxKey::kCharacter:
      return OnCharacter(plan, focus, character);
  }
  return {focus, 0, false};
}

}  // namespace vorlick
