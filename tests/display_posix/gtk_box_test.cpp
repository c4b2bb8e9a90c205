// The GTK box through the library, as its callers see it: shown by the
// helper program on the shared test display, found by its caption with
// xdotool and typed into as a user would.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "gtk_test_support.h"
#include "vorlick.h"

namespace vorlick_test {
namespace {

std::u16string Wide(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

struct KeyCase {
  const char* caption;  // unique, so xdotool finds just this box
  unsigned style;
  int defaultId;
  const char* firstKeys;  // after these the box must still be open
  const char* keys;       // these end it
  int result;
};

void RunKeyCase(const KeyCase& c) {
  SCOPED_TRACE(c.caption);
  AsyncBox box(Wide(c.caption), c.style, 0, c.defaultId);
  const unsigned long window = FindBox(c.caption);
  ASSERT_NE(window, 0u);
  if (c.firstKeys[0] != 0) {
    PressKeys(window, c.firstKeys);
    EXPECT_EQ(box.Result(300), -1);
    EXPECT_TRUE(BoxExists(c.caption));
  }
  PressKeys(window, c.keys);
  EXPECT_EQ(box.Result(), c.result);
  EXPECT_FALSE(BoxExists(c.caption));
}

TEST(GtkBoxTest, EnterChoosesTheDefaultButton) {
  const KeyCase cases[] = {
      {"ok", 0x0, 0, "", "Return", 1},
      {"yes no", 0x4, 0, "", "Return", 6},
      {"defbutton2", 0x4 | 0x100, 0, "", "Return", 7},
      {"defbutton3", 0x2 | 0x200, 0, "", "Return", 5},
      {"defbutton beyond", 0x1 | 0x300, 0, "", "Return", 1},
      {"defaultId", 0x3, 2, "", "Return", 2},
      {"defaultId not in box", 0x4 | 0x100, 2, "", "Return", 7},
      {"keypad enter", 0x6 | 0x200, 0, "", "KP_Enter", 11},
  };
  for (const KeyCase& c : cases) RunKeyCase(c);
}

TEST(GtkBoxTest, EscapeAsTheContractSays) {
  const KeyCase cases[] = {
      {"esc ok", 0x0, 0, "", "Escape", 1},
      {"esc ok cancel", 0x1, 0, "", "Escape", 2},
      {"esc yes no cancel", 0x3, 0, "", "Escape", 2},
      {"esc retry cancel", 0x5, 0, "", "Escape", 2},
      {"esc cancel try continue", 0x6 | 0x200, 0, "", "Escape", 2},
      {"esc ok help", 0x0 | 0x4000, 0, "", "Escape", 1},
      {"esc yes no", 0x4, 0, "Escape", "Return", 6},
      {"esc abort retry ignore", 0x2, 0, "Escape", "Return", 3},
  };
  for (const KeyCase& c : cases) RunKeyCase(c);
}

TEST(GtkBoxTest, FocusMovesAndLettersChoose) {
  const KeyCase cases[] = {
      {"tab", 0x4, 0, "", "Tab Return", 7},
      {"right", 0x3, 0, "", "Right Right Return", 2},
      {"right wraps", 0x4, 0, "", "Right Right Return", 6},
      {"left wraps", 0x3, 0, "", "Left Return", 2},
      // Right to left, Yes is the rightmost button: Left goes on to No.
      {"right to left", 0x3 | 0x100000, 0, "", "Left Return", 7},
      {"letter", 0x4, 0, "", "n", 7},
      {"letter retry", 0x2, 0, "", "r", 4},
      {"shared letter", 0x6, 0, "c", "Return", 11},
      {"access key", 0x4, 0, "", "alt+n", 7},
      {"help stays", 0x1 | 0x4000, 9, "Return h", "Escape", 2},
  };
  for (const KeyCase& c : cases) RunKeyCase(c);
}

struct CloseCase {
  const char* caption;
  unsigned style;
  int result;  // -1: the box stays
};

TEST(GtkBoxTest, CloseButtonActsAsEscape) {
  const CloseCase cases[] = {
      {"close ok", 0x0, 1},
      {"close ok cancel", 0x1, 2},
      {"close yes no cancel", 0x3, 2},
      {"close yes no", 0x4, -1},
      {"close abort retry ignore", 0x2, -1},
  };
  for (const CloseCase& c : cases) {
    SCOPED_TRACE(c.caption);
    AsyncBox box(Wide(c.caption), c.style, 0, 0);
    const unsigned long window = FindBox(c.caption);
    ASSERT_NE(window, 0u);
    RequestClose(window);
    EXPECT_EQ(box.Result(c.result < 0 ? 400 : 5000), c.result);
    if (c.result < 0) {
      EXPECT_TRUE(BoxExists(c.caption));
      PressKeys(window, "Return");
      EXPECT_GT(box.Result(), 0);
    }
  }
}

TEST(GtkBoxTest, TimesOutWith32000) {
  AsyncBox box(u"timeout", 0x0, 1, 0);
  ASSERT_NE(FindBox("timeout"), 0u);
  EXPECT_EQ(box.Result(), 32000);
  EXPECT_GE(box.elapsedMs(), 950);
  EXPECT_LE(box.elapsedMs(), 1600);
  EXPECT_FALSE(BoxExists("timeout"));
}

// Two callers at once, each with its own box and its own time-out.
TEST(GtkBoxTest, TwoThreadsTimeOutOnTheirOwn) {
  AsyncBox first(u"first", 0x4, 1, 0);
  AsyncBox second(u"second", 0x1, 2, 0);
  EXPECT_NE(FindBox("first"), 0u);
  EXPECT_NE(FindBox("second"), 0u);
  EXPECT_EQ(first.Result(), 32000);
  EXPECT_TRUE(BoxExists("second"));
  EXPECT_EQ(second.Result(), 32000);
  EXPECT_GE(first.elapsedMs(), 950);
  EXPECT_LE(first.elapsedMs(), 1600);
  EXPECT_GE(second.elapsedMs(), 1950);
  EXPECT_LE(second.elapsedMs(), 2600);
}

// One answered while the other keeps counting.
TEST(GtkBoxTest, AnsweringOneBoxLeavesTheOtherOpen) {
  AsyncBox first(u"answered", 0x4, 0, 0);
  AsyncBox second(u"waiting", 0x1, 2, 0);
  const unsigned long window = FindBox("answered");
  ASSERT_NE(FindBox("waiting"), 0u);
  PressKeys(window, "n");
  EXPECT_EQ(first.Result(), 7);
  EXPECT_EQ(second.Result(500), -1);
  EXPECT_EQ(second.Result(), 32000);
}

TEST(GtkBoxTest, TopmostAndSystemModalStayAbove) {
  const std::pair<unsigned, bool> cases[] = {
      {0x0, false}, {0x40000, true}, {0x1000, true}, {0x2000, false}};
  for (const auto& [style, above] : cases) {
    SCOPED_TRACE(style);
    AsyncBox box(u"above", style, 0, 0);
    const unsigned long window = FindBox("above");
    ASSERT_NE(window, 0u);
    EXPECT_EQ(
        WindowState(window).find("_NET_WM_STATE_ABOVE") != std::string::npos,
        above);
    PressKeys(window, "Return");
    EXPECT_EQ(box.Result(), 1);
  }
}

TEST(GtkBoxTest, NullTextAndCaptionAreEmpty) {
  auto result = std::async(std::launch::async, [] {
    return VorlickShowMessage(nullptr, nullptr, nullptr, 0x1, 1, 0);
  });
  EXPECT_EQ(result.get(), 32000);
}

TEST(GtkBoxTest, InvalidButtonSetGivesZeroAtOnce) {
  for (unsigned set = 7; set <= 15; ++set) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(VorlickShowMessage(nullptr, u"x", u"invalid", set, 5, 0), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::milliseconds(100));
  }
  EXPECT_FALSE(BoxExists("invalid"));
}

}  // namespace
}  // namespace vorlick_test

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new SharedDisplayEnvironment);
  return RUN_ALL_TESTS();
}
