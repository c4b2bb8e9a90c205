// The box model for every button set, Help, MB_DEFBUTTONn and defaultId.
#include "box_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorlick {
namespace {

struct SetCase {
  unsigned set;
  std::vector<int> ids;
  std::vector<std::string> labels;
  int escapeId;
};

// The contract's table, written out.
const std::vector<SetCase> kSets = {
    {0, {1}, {"OK"}, 1},
    {1, {1, 2}, {"OK", "Cancel"}, 2},
    {2, {3, 4, 5}, {"Abort", "Retry", "Ignore"}, 0},
    {3, {6, 7, 2}, {"Yes", "No", "Cancel"}, 2},
    {4, {6, 7}, {"Yes", "No"}, 0},
    {5, {4, 2}, {"Retry", "Cancel"}, 2},
    {6, {2, 10, 11}, {"Cancel", "Try Again", "Continue"}, 2},
};

std::vector<int> Ids(const BoxModel& model) {
  std::vector<int> ids;
  for (int i = 0; i < model.count; ++i) ids.push_back(model.buttons[i].id);
  return ids;
}

std::vector<std::string> Labels(const BoxModel& model) {
  std::vector<std::string> labels;
  for (int i = 0; i < model.count; ++i)
    labels.push_back(model.buttons[i].label);
  return labels;
}

TEST(BoxModelTest, EveryButtonSetWithAndWithoutHelp) {
  for (const SetCase& c : kSets) {
    for (unsigned help : {0u, kMbHelp}) {
      SCOPED_TRACE("set " + std::to_string(c.set) + " help " +
                   std::to_string(help));
      const BoxModel model = MakeBoxModel(c.set | help, 0);
      std::vector<int> ids = c.ids;
      std::vector<std::string> labels = c.labels;
      if (help != 0) ids.push_back(9), labels.push_back("Help");
      EXPECT_TRUE(model.valid);
      EXPECT_EQ(Ids(model), ids);
      EXPECT_EQ(Labels(model), labels);
      EXPECT_EQ(model.escapeId, c.escapeId);  // Help changes nothing here
      EXPECT_EQ(model.defaultIndex, 0);
    }
  }
}

TEST(BoxModelTest, ButtonSetsSevenToFifteenCannotBeShown) {
  for (unsigned set = 7; set <= 15; ++set) {
    for (unsigned extra : {0u, kMbHelp, 0x20u | 0x100u}) {
      const BoxModel model = MakeBoxModel(set | extra, 1);
      EXPECT_FALSE(model.valid) << set;
      EXPECT_EQ(model.count, 0) << set;
    }
  }
}

// Every MB_DEFBUTTONn value (0x000 to 0xF00), on every set with and without
// Help: the n-th button where there is one, else the first.
TEST(BoxModelTest, DefButtonBitsPickTheNthButtonOrTheFirst) {
  for (const SetCase& c : kSets) {
    for (unsigned help : {0u, kMbHelp}) {
      const int count = static_cast<int>(c.ids.size()) + (help ? 1 : 0);
      for (int n = 0; n < 16; ++n) {
        const unsigned style = c.set | help | (static_cast<unsigned>(n) << 8);
        const BoxModel model = MakeBoxModel(style, 0);
        EXPECT_EQ(model.defaultIndex, n < count ? n : 0) << std::hex << style;
      }
    }
  }
}

// defaultId overrides the style when the box has that button, Help
// included; any other value leaves the style's default.
TEST(BoxModelTest, DefaultIdOverridesOnlyWithAButtonOfTheBox) {
  const std::vector<int> candidates = {-1,
                                       0,
                                       1,
                                       2,
                                       3,
                                       4,
                                       5,
                                       6,
                                       7,
                                       8,
                                       9,
                                       10,
                                       11,
                                       12,
                                       32000,
                                       0x7FFFFFFF,
                                       -0x7FFFFFFF - 1};
  for (const SetCase& c : kSets) {
    for (unsigned help : {0u, kMbHelp}) {
      std::vector<int> ids = c.ids;
      if (help != 0) ids.push_back(kIdHelp);
      for (unsigned defButton : {0x000u, 0x100u, 0x200u, 0x300u}) {
        const int nth = static_cast<int>(defButton >> 8);
        const int styleDefault = nth < static_cast<int>(ids.size()) ? nth : 0;
        for (int defaultId : candidates) {
          int expected = styleDefault;
          for (size_t i = 0; i < ids.size(); ++i) {
            if (ids[i] == defaultId) expected = static_cast<int>(i);
          }
          const BoxModel model =
              MakeBoxModel(c.set | help | defButton, defaultId);
          EXPECT_EQ(model.defaultIndex, expected)
              << "set " << c.set << " help " << help << " defbutton "
              << defButton << " id " << defaultId;
        }
      }
    }
  }
}

struct DefaultCase {
  unsigned style;
  int defaultId;
  int defaultButtonId;
};

TEST(BoxModelTest, DefaultButtonExamples) {
  const DefaultCase cases[] = {
      {0x0, 0, kIdOk},
      {0x1 | 0x100, 0, kIdCancel},
      {0x1 | 0x200, 0, kIdOk},  // no third button: the first
      {0x1 | 0x300, 0, kIdOk},
      {0x2 | 0x200, 0, kIdIgnore},
      {0x3 | 0x100, 0, kIdNo},
      {0x3 | 0x300, 0, kIdYes},
      {0x3 | 0x4000 | 0x300, 0, kIdHelp},
      {0x4, kIdNo, kIdNo},
      {0x4 | 0x100, kIdYes, kIdYes},
      {0x4 | 0x100, kIdCancel, kIdNo},  // Yes/No has no Cancel
      {0x4 | 0x100, kIdTimeout, kIdNo},
      {0x0 | 0x4000, kIdHelp, kIdHelp},
      {0x0, kIdHelp, kIdOk},  // Help only counts where the box has it
      {0x6 | 0x200, kIdTryAgain, kIdTryAgain},
      {0x6 | 0x400, 0, kIdCancel},  // a fifth button never exists
      {0x5 | 0xF00, -5, kIdRetry},
  };
  for (const DefaultCase& c : cases) {
    const BoxModel model = MakeBoxModel(c.style, c.defaultId);
    ASSERT_TRUE(model.valid);
    EXPECT_EQ(model.buttons[model.defaultIndex].id, c.defaultButtonId)
        << std::hex << c.style << std::dec << " id " << c.defaultId;
  }
}

TEST(BoxModelTest, MnemonicLabelsMarkTheFirstLetter) {
  const std::vector<std::string> expected = {
      "_OK", "_Cancel", "_Abort",     "_Retry",    "_Ignore", "_Yes",
      "_No", "_Cancel", "_Try Again", "_Continue", "_Help"};
  std::vector<std::string> actual;
  for (unsigned style : {0x1u, 0x2u, 0x4u, 0x6u | 0x4000u}) {
    const BoxModel model = MakeBoxModel(style, 0);
    for (int i = 0; i < model.count; ++i) {
      actual.push_back(model.buttons[i].mnemonicLabel);
    }
  }
  EXPECT_EQ(actual, expected);
}

struct IconCase {
  unsigned bits;
  Icon icon;
};

TEST(BoxModelTest, IconBits) {
  const IconCase cases[] = {
      {0x00, Icon::kNone},        {0x10, Icon::kError},
      {0x20, Icon::kQuestion},    {0x30, Icon::kWarning},
      {0x40, Icon::kInformation}, {0x50, Icon::kNone},
      {0x80, Icon::kNone},        {0xF0, Icon::kNone},
  };
  for (const IconCase& c : cases) {
    EXPECT_EQ(MakeBoxModel(c.bits | 0x4, 0).icon, c.icon) << std::hex << c.bits;
  }
}

struct FlagCase {
  unsigned style;
  bool keepAbove, foreground, rightAligned, rightToLeft;
};

TEST(BoxModelTest, WindowFlags) {
  const FlagCase cases[] = {
      {0x0, false, false, false, false},
      {0x1000, true, false, false, false},   // system modal stays on top
      {0x2000, false, false, false, false},  // task modal
      {0x10000, false, true, false, false},
      {0x40000, true, false, false, false},
      {0x80000, false, false, true, false},
      {0x100000, false, false, false, true},
      {0x1000 | 0x40000 | 0x80000 | 0x100000 | 0x10000, true, true, true, true},
  };
  for (const FlagCase& c : cases) {
    const BoxModel model = MakeBoxModel(c.style, 0);
    EXPECT_EQ(model.keepAbove, c.keepAbove) << std::hex << c.style;
    EXPECT_EQ(model.foreground, c.foreground) << std::hex << c.style;
    EXPECT_EQ(model.rightAligned, c.rightAligned) << std::hex << c.style;
    EXPECT_EQ(model.rightToLeft, c.rightToLeft) << std::hex << c.style;
  }
}

TEST(BoxModelTest, FindButtonAndClosesBox) {
  const BoxModel model = MakeBoxModel(0x3 | kMbHelp, 0);
  EXPECT_EQ(FindButton(model, kIdYes), 0);
  EXPECT_EQ(FindButton(model, kIdCancel), 2);
  EXPECT_EQ(FindButton(model, kIdHelp), 3);
  EXPECT_EQ(FindButton(model, kIdOk), -1);
  EXPECT_EQ(FindButton(model, 0), -1);
  EXPECT_TRUE(ClosesBox(kIdYes));
  EXPECT_TRUE(ClosesBox(kIdCancel));
  EXPECT_FALSE(ClosesBox(kIdHelp));
}

struct FocusCase {
  unsigned style;
  int focus;
  int step;
  int expected;
};

TEST(BoxModelTest, MoveFocusWrapsAround) {
  const FocusCase cases[] = {
      {0x0, 0, 1, 0},          {0x0, 0, -1, 0}, {0x4, 0, 1, 1},
      {0x4, 1, 1, 0},          {0x4, 0, -1, 1}, {0x3, 2, 1, 0},
      {0x3, 0, -1, 2},         {0x3, 1, -1, 0}, {0x3 | 0x4000, 2, 1, 3},
      {0x3 | 0x4000, 3, 1, 0}, {0x2, 0, -4, 2},
  };
  for (const FocusCase& c : cases) {
    EXPECT_EQ(MoveFocus(MakeBoxModel(c.style, 0), c.focus, c.step), c.expected)
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

TEST(BoxModelTest, LettersChooseOrMoveBetweenSharedLetters) {
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
        MatchLetter(MakeBoxModel(c.style, 0), c.letter, c.focus);
    EXPECT_EQ(match.index, c.index) << std::hex << c.style << " " << c.letter;
    EXPECT_EQ(match.unique, c.unique) << std::hex << c.style << " " << c.letter;
  }
}

TEST(BoxModelTest, SecondsLeftRoundsUp) {
  const std::pair<long long, int> cases[] = {
      {-5, 0},   {0, 0},     {1, 1},      {999, 1},    {1000, 1},
      {1001, 2}, {9999, 10}, {10000, 10}, {10001, 11},
  };
  for (const auto& [ms, seconds] : cases) {
    EXPECT_EQ(SecondsLeft(ms), seconds) << ms;
  }
}

TEST(BoxModelTest, CountdownText) {
  EXPECT_EQ(CountdownText(1), "Closes in 1 s");
  EXPECT_EQ(CountdownText(10), "Closes in 10 s");
  EXPECT_EQ(CountdownText(86400), "Closes in 86400 s");
}

}  // namespace
}  // namespace vorlick
