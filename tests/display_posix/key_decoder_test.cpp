// Bytes from a terminal to keys, Escape told apart by silence.
#include "key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unicode.h"

namespace vorlick {
namespace {

// Feeds `bytes`, then flushes as the box does after a pause, and writes the
// keys as text: characters as themselves in UTF-8, the others by name.
std::string Decode(const std::string& bytes) {
  KeyDecoder decoder;
  std::string keys;
  auto name = [&keys](const KeyEvent& event) {
    static const char* const kNames[] = {"none",   "left", "right",   "up",
                                         "down",   "tab",  "backtab", "enter",
                                         "escape", "char", "other"};
    if (!keys.empty()) keys += ' ';
    if (event.key == Key::kCharacter) {
      unicode::Append(event.code, keys);
    } else {
      keys += kNames[static_cast<int>(event.key)];
    }
  };
  for (unsigned char byte : bytes) {
    KeyEvent event;
    if (decoder.Push(byte, event)) name(event);
  }
  KeyEvent event;
  if (decoder.Flush(event)) name(event);
  EXPECT_FALSE(decoder.Pending());
  return keys;
}

TEST(KeyDecoderTest, Sequences) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"y", "y"},
      {"Yn", "Y n"},
      {"\r", "enter"},
      {"\n", "enter"},
      {"\t", "tab"},
      {"\x1b", "escape"},
      {"\x1b\x1b", "escape escape"},
      {"\x1b[A\x1b[B\x1b[C\x1b[D", "up down right left"},
      {"\x1bOC\x1bOD", "right left"},  // application cursor keys
      {"\x1b[Z", "backtab"},
      {"\x1b[1;5C", "right"},  // Ctrl-Right is still right
      {"\x1b[1;2Z", "other"},
      {"\x1b[3~", "other"},      // Delete
      {"\x1b[15~y", "other y"},  // F5, then a letter
      {"\x1bx", "other"},        // Alt-x
      {"1 ", "1  "},
      {"\x7f\x01", "other other"},  // Backspace, Ctrl-A
      {"\x1b[", "other"},           // cut off
      {"a\x1b", "a escape"},
      // Characters of any script, as UTF-8.
      {"\xC3\xA9\xD0\xB4", "\xC3\xA9 \xD0\xB4"},
      {"\xE3\x81\x84\xF0\x9F\x98\x80", "\xE3\x81\x84 \xF0\x9F\x98\x80"},
      {"\xC3", "other"},  // cut off
      {"\xC3y", "y"},     // broken: the byte after it counts
      {"\xC3\x1b[C", "right"},
      {"\x80\xC1\xBF\xF5", "other other other other"},  // never UTF-8
      {"\xE0\x80\xAF", "other"},                        // overlong
      {"\xED\xA0\x80", "other"},                        // a surrogate
      {"\xC2\x85", "other"},                            // a C1 control
  };
  for (const auto& [bytes, keys] : cases) {
    EXPECT_EQ(Decode(bytes), keys) << testing::PrintToString(bytes);
  }
}

TEST(KeyDecoderTest, PendingOnlyInsideASequence) {
  KeyDecoder decoder;
  KeyEvent event;
  EXPECT_FALSE(decoder.Pending());
  EXPECT_FALSE(decoder.Push(0x1b, event));
  EXPECT_TRUE(decoder.Pending());
  EXPECT_FALSE(decoder.Push('[', event));
  EXPECT_TRUE(decoder.Pending());
  EXPECT_TRUE(decoder.Push('C', event));
  EXPECT_EQ(event.key, Key::kRight);
  EXPECT_FALSE(decoder.Pending());
  EXPECT_FALSE(decoder.Flush(event));
}

}  // namespace
}  // namespace vorlick
