// The terminal's capabilities from compiled terminfo entries, how they are
// found, and the lines as the terminal gets them.
#include "terminal_caps.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "temp_folder.h"
#include "terminal_layout.h"
#include "terminal_screen.h"

namespace vorlick {
namespace {

constexpr int kLegacy = 0432;
constexpr int kWideNumbers = 01036;

// A compiled entry with `strings` at their places (-1 for a missing one, -2
// for a cancelled one), behind three numbers, which the names and the one
// boolean leave on an odd byte.
std::string Entry(int magic, const std::map<int, std::string>& strings,
                  const std::map<int, int>& specialOffsets = {}) {
  std::string bytes;
  auto put = [&bytes](int value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>((value >> 8) & 0xFF);
  };
  const int count = strings.empty() ? 0 : strings.rbegin()->first + 1;
  std::string table;
  std::map<int, int> offsets = specialOffsets;
  for (const auto& [index, text] : strings) {
    offsets.emplace(index, static_cast<int>(table.size()));
    table += text + '\0';
  }
  const std::string names = "test|Test termina";  // 18 bytes with its NUL
  put(magic), put(static_cast<int>(names.size() + 1)), put(1), put(3);
  put(count), put(static_cast<int>(table.size()));
  bytes += names + '\0' + '\1';  // the names and one boolean
  bytes += '\0';                 // numbers start on an even byte
  bytes.append(magic == kLegacy ? 6 : 12, '\x50');  // three numbers
  for (int i = 0; i < count; ++i) put(offsets.count(i) ? offsets[i] : -1);
  return bytes + table;
}

bool Parse(const std::string& entry, TerminalCaps& caps) {
  return ParseTerminfo(reinterpret_cast<const unsigned char*>(entry.data()),
                       entry.size(), caps);
}

const std::map<int, std::string> kXtermLike = {
    {6, "\x1b[K"},     {7, "\x1b[J"},   {13, "\x1b[?25l"},
    {16, "\x1b[?25h"}, {19, "\x1b[A"},  {27, "\x1b[1m"},
    {34, "\x1b[7m"},   {36, "\x1b[4m"}, {39, "\x1b(B\x1b[m"},
    {44, "\x1b[24m"},
};

TEST(TerminalCapsTest, ReadsBothFormats) {
  for (const int magic : {kLegacy, kWideNumbers}) {
    TerminalCaps caps;
    ASSERT_TRUE(Parse(Entry(magic, kXtermLike) + "extended part", caps));
    EXPECT_STREQ(caps.up, "\x1b[A");
    EXPECT_STREQ(caps.eraseLine, "\x1b[K");
    EXPECT_STREQ(caps.eraseBelow, "\x1b[J");
    EXPECT_STREQ(caps.hideCursor, "\x1b[?25l");
    EXPECT_STREQ(caps.showCursor, "\x1b[?25h");
    EXPECT_STREQ(caps.bold, "\x1b[1m");
    EXPECT_STREQ(caps.reverse, "\x1b[7m");
    EXPECT_STREQ(caps.underline, "\x1b[4m");
    EXPECT_STREQ(caps.underlineOff, "\x1b[24m");
    EXPECT_STREQ(caps.plain, "\x1b(B\x1b[m");
    EXPECT_TRUE(CanRewrite(caps));
  }
}

TEST(TerminalCapsTest, CapabilityStrings) {
  struct Case {
    const char* name;
    std::map<int, std::string> strings;
    std::map<int, int> offsets;  // missing, cancelled or out of the table
    std::string up;
    std::string reverse;
  };
  const Case cases[] = {
      {"delays left out",
       {{19, "\x1b[A$<2>"}, {34, "$<5.5*/>\x1b[7m$<1>"}},
       {},
       "\x1b[A",
       "\x1b[7m"},
      {"no delay", {{19, "a$<x>b$<>"}}, {}, "a$<x>b$<>", ""},
      {"standout for reverse", {{35, "\x1b[3m"}}, {}, "", "\x1b[3m"},
      {"too long", {{19, std::string(kCapBytes, 'x')}}, {}, "", ""},
      {"longest",
       {{19, std::string(kCapBytes - 1, 'x')}},
       {},
       std::string(kCapBytes - 1, 'x'),
       ""},
      {"missing", {{34, "r"}}, {{19, -1}}, "", "r"},
      {"cancelled", {{34, "r"}}, {{19, -2}}, "", "r"},
      {"beyond the table", {{34, "r"}}, {{19, 2}}, "", "r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TerminalCaps caps;
    ASSERT_TRUE(Parse(Entry(kLegacy, c.strings, c.offsets), caps));
    EXPECT_EQ(caps.up, c.up);
    EXPECT_EQ(caps.reverse, c.reverse);
  }
}

TEST(TerminalCapsTest, RefusesWhatIsNoEntry) {
  const std::string good = Entry(kLegacy, kXtermLike);
  std::string badMagic = good, negative = good;
  badMagic[0] = 0x1B;
  negative[9] = '\x80';  // a negative count of strings
  TerminalCaps caps;
  for (const std::string& entry : {badMagic, negative}) {
    EXPECT_FALSE(Parse(entry, caps));
    EXPECT_FALSE(CanRewrite(caps));
  }
  // Every entry cut short is refused, none is read beyond its end.
  for (size_t size = 0; size < good.size(); ++size) {
    EXPECT_FALSE(Parse(good.substr(0, size), caps)) << size;
  }
  EXPECT_FALSE(ParseTerminfo(nullptr, 0, caps));
}

// A private folder with entries, and the environment the search reads.
class TerminfoFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(root_.empty());
    for (const char* name : {"TERMINFO", "TERMINFO_DIRS", "HOME"}) {
      const char* value = getenv(name);
      saved_[name] = value != nullptr ? value : "\x01";
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value == "\x01") {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
  }
  // Writes an entry whose cursor-up string is `up` at folder/sub/name.
  std::string Put(const std::string& folder, const std::string& sub,
                  const std::string& name, const std::string& up) {
    const std::string dir = root_ + "/" + folder + "/" + sub;
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/" + name, std::ios::binary)
        << Entry(kLegacy, {{19, up}});
    return root_ + "/" + folder;
  }
  TempFolder folder_;
  const std::string root_ = folder_.root();
  std::map<std::string, std::string> saved_;
};

TEST_F(TerminfoFolders, FoundWhereTheCursesLibraryLooks) {
  const std::string own = Put("own", "t", "tt", "own");
  Put("home/.terminfo", "74", "tt", "home");  // 0x74 is 't'
  const std::string listed = Put("listed", "u", "uu", "listed");
  Put("home/.terminfo", "v", "vv", "home");
  setenv("TERMINFO", own.c_str(), 1);
  setenv("HOME", (root_ + "/home").c_str(), 1);
  setenv("TERMINFO_DIRS", ("/nowhere::" + listed).c_str(), 1);
  const std::pair<const char*, const char*> cases[] = {
      {"tt", "own"},
      {"uu", "listed"},
      {"vv", "home"},
      {"ww", ""},
  };
  for (const auto& [term, up] : cases) {
    TerminalCaps caps;
    EXPECT_EQ(LoadTerminalCaps(term, caps), up[0] != 0) << term;
    EXPECT_STREQ(caps.up, up) << term;
  }
  // $TERMINFO came before ~/.terminfo.
  unsetenv("TERMINFO");
  TerminalCaps caps;
  EXPECT_TRUE(LoadTerminalCaps("tt", caps));
  EXPECT_STREQ(caps.up, "home");
}

TEST_F(TerminfoFolders, NamesThatAreNoPlainFileNameAreRefused) {
  Put("own", "x", "x", "up");
  // With a slash allowed, own/a/a/../../x/x would be the entry of "x".
  std::filesystem::create_directories(root_ + "/own/a/a");
  setenv("TERMINFO", (root_ + "/own").c_str(), 1);
  TerminalCaps caps;
  EXPECT_TRUE(LoadTerminalCaps("x", caps));
  for (const char* term : {"a/../../x/x", "", ".", ".."}) {
    EXPECT_FALSE(LoadTerminalCaps(term, caps)) << term;
  }
  EXPECT_FALSE(LoadTerminalCaps(nullptr, caps));
}

// Debian's own entries, from ncurses-base.
TEST_F(TerminfoFolders, SystemEntries) {
  TerminalCaps caps;
  ASSERT_TRUE(LoadTerminalCaps("xterm", caps));
  EXPECT_TRUE(CanRewrite(caps));
  EXPECT_STREQ(caps.up, "\x1b[A");
  ASSERT_TRUE(LoadTerminalCaps("vt100", caps));
  EXPECT_STREQ(caps.eraseLine, "\x1b[K");  // "$<3>" left out
  ASSERT_TRUE(LoadTerminalCaps("dumb", caps));
  EXPECT_FALSE(CanRewrite(caps));
  EXPECT_FALSE(LoadTerminalCaps("no-such-terminal", caps));
}

TEST(TerminalScreenTest, LinesAsTheTerminalGetsThem) {
  const std::string line = std::string(1, kBoldOn) + "T" + kAttributesOff +
                           kReverseOn + "> " + kUnderlineOn + "Y" +
                           kUnderlineOff + "es <" + kAttributesOff;
  TerminalCaps xterm, noUnderlineOff, noPlain, dumb;
  ASSERT_TRUE(Parse(Entry(kLegacy, kXtermLike), xterm));
  std::map<int, std::string> strings = kXtermLike;
  strings.erase(44);
  ASSERT_TRUE(Parse(Entry(kLegacy, strings), noUnderlineOff));
  strings.erase(39);
  ASSERT_TRUE(Parse(Entry(kLegacy, strings), noPlain));
  strings.erase(19);
  ASSERT_TRUE(Parse(Entry(kLegacy, strings), dumb));
  const std::pair<const TerminalCaps*, std::string> cases[] = {
      {&xterm,
       "\x1b[1mT\x1b(B\x1b[m\x1b[7m> \x1b[4mY\x1b[24m\x1b[7mes <\x1b(B\x1b[m"},
      {&noUnderlineOff,
       "\x1b[1mT\x1b(B\x1b[m\x1b[7m> \x1b[4mY\x1b(B\x1b[m"
       "\x1b[7mes <\x1b(B\x1b[m"},
      {&noPlain, "T> Yes <"},
      {&dumb, "T> Yes <"},
  };
  for (const auto& [caps, styled] : cases) {
    EXPECT_EQ(TerminalScreen(-1, *caps).Styled(line), styled);
  }
}

}  // namespace
}  // namespace vorlick
