// The box's key rule, for every front end: where each key takes the focus
// and what it answers. Expectations are the contract's, written out.
#include "box_keys.h"

#include <gtest/gtest.h>

namespace vorlick {
namespace {

struct KeyCase {
  const char* name;
  std::uint32_t style;
  const char* language;
  int focus;
  BoxKey key;
  char32_t character;
  KeyAction expected;
};

constexpr BoxKey kChar = BoxKey::kCharacter;

const KeyCase kCases[] = {
    // The row: previous and next, round it; right to left changes nothing.
    {"left wraps", 0x3, "en", 0, BoxKey::kLeft, 0, {2, 0, false}},
    {"right wraps", 0x3, "en", 2, BoxKey::kRight, 0, {0, 0, false}},
    {"up", 0x3, "en", 1, BoxKey::kUp, 0, {0, 0, false}},
    {"down", 0x3, "en", 1, BoxKey::kDown, 0, {2, 0, false}},
    {"tab wraps", 0x3, "en", 2, BoxKey::kTab, 0, {0, 0, false}},
    {"shift tab wraps", 0x3, "en", 0, BoxKey::kBackTab, 0, {2, 0, false}},
    {"rtl left", 0x100003, "en", 0, BoxKey::kLeft, 0, {2, 0, false}},
    {"rtl right", 0x100003, "en", 0, BoxKey::kRight, 0, {1, 0, false}},
    {"right onto help", 0x4003, "en", 2, BoxKey::kRight, 0, {3, 0, false}},
    {"lone button", 0x0, "en", 0, BoxKey::kRight, 0, {0, 0, false}},
    // Choosing: Enter and Space the focused button; Help only asks.
    {"enter", 0x4, "en", 0, BoxKey::kEnter, 0, {0, 6, false}},
    {"space", 0x4, "en", 1, BoxKey::kSpace, 0, {1, 7, false}},
    {"enter on help", 0x4001, "en", 2, BoxKey::kEnter, 0, {2, 0, true}},
    {"f1", 0x1, "en", 1, BoxKey::kHelp, 0, {1, 0, true}},
    {"f1 without help button", 0x0, "en", 0, BoxKey::kHelp, 0, {0, 0, true}},
    // Escape: Cancel, OK on a lone OK box (Help beside it or not), else none.
    {"escape cancel", 0x1, "en", 0, BoxKey::kEscape, 0, {0, 2, false}},
    {"escape ok", 0x0, "en", 0, BoxKey::kEscape, 0, {0, 1, false}},
    {"escape ok help", 0x4000, "en", 1, BoxKey::kEscape, 0, {1, 1, false}},
    {"escape yes no", 0x4, "en", 1, BoxKey::kEscape, 0, {1, 0, false}},
    // Access keys, in either case; a shared one moves on to the next.
    {"letter", 0x4, "en", 1, kChar, 'y', {0, 6, false}},
    {"capital", 0x4, "en", 0, kChar, 'N', {1, 7, false}},
    {"no such key", 0x4, "en", 0, kChar, 'c', {0, 0, false}},
    {"ok has one", 0x0, "en", 0, kChar, 'o', {0, 1, false}},
    {"ignore", 0x2, "en", 0, kChar, 'i', {2, 5, false}},
    {"try again", 0x6, "en", 0, kChar, 't', {1, 10, false}},
    {"shared: on to continue", 0x6, "en", 0, kChar, 'c', {2, 0, false}},
    {"shared: back to cancel", 0x6, "en", 2, kChar, 'c', {0, 0, false}},
    {"shared, capital", 0x6, "en", 1, kChar, 'C', {2, 0, false}},
    {"help by its key", 0x4001, "en", 0, kChar, 'h', {2, 0, true}},
    {"digit", 0x3, "en", 0, kChar, '1', {0, 0, false}},
    {"russian da", 0x4, "ru", 1, kChar, 0x434, {0, 6, false}},
    {"russian capital en", 0x4, "ru", 0, kChar, 0x41D, {1, 7, false}},
    {"english key in russian", 0x4, "ru", 1, kChar, 'y', {1, 0, false}},
    {"german ja", 0x4, "de", 1, kChar, 'J', {0, 6, false}},
    // A style that cannot be shown has no buttons to act on.
    {"no buttons", 0x9, "en", 0, BoxKey::kEnter, 0, {0, 0, false}},
};

TEST(BoxKeys, EveryKeyAsTheContractSays) {
  for (const KeyCase& c : kCases) {
    SCOPED_TRACE(c.name);
    BoxPlan plan = PlanBox(c.style, 0);
    plan.language = FindLanguage(c.language);
    const KeyAction action = ActOnKey(plan, c.focus, c.key, c.character);
    EXPECT_EQ(action.focus, c.expected.focus);
    EXPECT_EQ(action.answer, c.expected.answer);
    EXPECT_EQ(action.help, c.expected.help);
  }
}

}  // namespace
}  // namespace vorlick
