#include "terminal_width.h"

#include <cstdint>

#include "unicode.h"

namespace vorlick {
namespace {

#include "terminal_width_table.inc"

constexpr char32_t kZeroWidthJoiner = 0x200D;
// Asks for a character's emoji form, which terminals draw two columns wide.
constexpr char32_t kEmojiSelector = 0xFE0F;

bool IsControl(char32_t code) { return code < 0x20 || code == 0x7F; }

int ReadCode(const std::string& text, std::size_t at, char32_t& code) {
  return unicode::ReadUtf8OrReplacement(text.data() + at, text.size() - at,
                                        code);
}

}  // namespace

int CellWidth(char32_t code) {
  // The last run that starts at or before `code`.
  std::size_t low = 0;
  std::size_t high = sizeof kWidthRuns / sizeof kWidthRuns[0];
  while (high - low > 1) {
    const std::size_t middle = (low + high) / 2;
    if ((kWidthRuns[middle] >> 2) <= code) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return static_cast<int>(kWidthRuns[low] & 3);
}

Cluster NextCluster(const std::string& text, std::size_t at) {
  char32_t code = 0;
  Cluster cluster{static_cast<std::size_t>(ReadCode(text, at, code)), 0};
  cluster.width = CellWidth(code);
  if (IsControl(code)) return cluster;
  // A blank takes its marks but stays one column: a selector or joiner after
  // it (a tab's blanks before a stray U+FE0F) makes no emoji of it.
  const bool onBlank = code == ' ';
  bool joined = false;
  while (at + cluster.length < text.size()) {
    const std::size_t next = at + cluster.length;
    const int length = ReadCode(text, next, code);
    const int width = CellWidth(code);
    if (IsControl(code) || (width != 0 && !joined)) break;
    cluster.length += static_cast<std::size_t>(length);
    if (onBlank) continue;
    // Joined pictographs draw as one, at most as wide as the widest.
    if (width > cluster.width) cluster.width = width;
    if (code == kEmojiSelector) cluster.width = 2;
    joined = code == kZeroWidthJoiner;
  }
  return cluster;
}

int TextWidth(const std::string& text) {
  int width = 0;
  for (std::size_t at = 0; at < text.size();) {
    const Cluster cluster = NextCluster(text, at);
    width += cluster.width;
    at += cluster.length;
  }
  return width;
}

}  // namespace vorlick
