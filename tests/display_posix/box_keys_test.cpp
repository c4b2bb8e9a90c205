// The keys of the GTK and the terminal box: focus moving round the buttons,
// plain letters, and the access keys GTK is given. The box's buttons,
// default and answers are tested with the shared model in display_common.
#include "box_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlick {
namespace {

TEST(BoxKeysTest, MnemonicLabelsMarkTheFirstLetter) {
  const std::vector<std::string> expected = {
      "_OK", "_Cancel", "_Abort",     "_Retry",    "_Ignore", "_Yes",
      "_No", "_Cancel", "_Try Again", "_Continue", "_Help"};
  std::vector<std::string> actual;
  for (unsigned style : {0x1u, 0x2u, 0x4u, 0x6u | 0x4000u}) {
    const BoxPlan plan = PlanBox(style, 0);
    for (int i = 0; i < plan.buttons.count; ++i) {
      char label[kLabelUnits];
      const int length = MnemonicLabel(plan.buttons.ids[i], label);
      EXPECT_EQ(length, static_cast<int>(std::string(label).size()));
      actual.push_back(label);
    }
  }
  EXPECT_EQ(actual, expected);
}

TEST(BoxKeysTest, MnemonicLabelOfNoButtonIsEmpty) {
  for (int id : {0, 8, 12, kIdTimeout, -1}) {
    char label[kLabelUnits];
    EXPECT_EQ(MnemonicLabel(id, label), 0) << id;
    EXPECT_EQ(std::string(label), "") << id;
  }
}

struct FocusCase {
  unsigned style;
  int focus;
  int step;
  int expected;
};

TEST(BoxKeysTest, MoveFocusWrapsAround) {
  const FocusCase cases[] = {
      {0x0, 0, 1, 0},          {0x0, 0, -1, 0}, {0x4, 0, 1, 1},
      {0x4, 1, 1, 0},          {0x4, 0, -1, 1}, {0x3, 2, 1, 0},
      {0x3, 0, -1, 2},         {0x3, 1, -1, 0}, {0x3 | 0x4000, 2, 1, 3},
      {0x3 | 0x4000, 3, 1, 0}, {0x2, 0, -4, 2},
  };
  for (const FocusCase& c : cases) {
    EXPECT_EQ(MoveFocus(PlanBox(c.style, 0), c.focus, c.step), c.expected)
        << std::hex << c.style << std::dec << " " << c.focus << " " << c.step;
  }
}

struct LetterCase {
  unsigned style;
  char letter;
  int focus;
  int index;
  bool unique;
};

TEST(BoxKeysTest, LettersChooseOrMoveBetweenSharedLetters) {
  const LetterCase cases[] = {
      {0x4, 'y', 1, 0, true},   {0x4, 'N', 0, 1, true},  // either case
      {0x4, 'c', 0, -1, false}, {0x0, 'o', 0, 0, true},
      {0x2, 'i', 0, 2, true},   {0x6, 't', 0, 1, true},
      {0x6, 'c', 0, 2, false},  // Cancel and Continue: on to Continue
      {0x6, 'c', 2, 0, false},  // and back to Cancel
      {0x6, 'C', 1, 2, false},  {0x1 | 0x4000, 'h', 0, 2, true},
      {0x3, '1', 0, -1, false},
  };
  for (const LetterCase& c : cases) {
    const LetterMatch match =
        MatchLetter(PlanBox(c.style, 0), c.letter, c.focus);
    EXPECT_EQ(match.index, c.index) << std::hex << c.style << " " << c.letter;
    EXPECT_EQ(match.unique, c.unique) << std::hex << c.style << " " << c.letter;
  }
}

}  // namespace
}  // namespace vorlick
