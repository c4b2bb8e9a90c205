// The GTK box through the library, as its callers see it: shown by the
// helper program on the shared test display, found by its caption with
// xdotool and typed into as a user would.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "gtk_test_support.h"
#include "key_cases.h"
#include "vorlick.h"

namespace vorlick_test {
namespace {

std::u16string Wide(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// The shared case's keys as xdotool names them.
std::string XdotoolKeys(const std::string& keys) {
  static const std::pair<const char*, const char*> kNames[] = {
      {"Enter", "Return"}, {"Space", "space"}, {"BackTab", "shift+Tab"}};
  std::istringstream words(keys);
  std::string out;
  for (std::string key; words >> key;) {
    for (const auto& [ours, theirs] : kNames) {
      if (key == ours) key = theirs;
    }
    out += (out.empty() ? "" : " ") + key;
  }
  return out;
}

void RunKeyCase(const KeyCase& c, const std::string& keys) {
  SCOPED_TRACE(c.name);
  AsyncBox box(Wide(c.name), c.style, 0, c.defaultId);
  const unsigned long window = FindBox(c.name);
  ASSERT_NE(window, 0u);
  PressKeys(window, keys);
  EXPECT_EQ(box.Result(), c.result);
  EXPECT_FALSE(BoxExists(c.name));
}

TEST(GtkBoxTest, KeysAsTheContractSays) {
  for (const KeyCase& c : kKeyCases) RunKeyCase(c, XdotoolKeys(c.keys));
  // Keys of GTK's own: the keypad's Enter, and an access key with Alt.
  const KeyCase ownKeys[] = {
      {"keypad enter", 0x6 | 0x200, 0, "KP_Enter", 11},
      {"access key", 0x4, 0, "alt+n", 7},
  };
  for (const KeyCase& c : ownKeys) RunKeyCase(c, c.keys);
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
