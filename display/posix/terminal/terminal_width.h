// How many terminal columns text takes, per the Unicode data the build read
// (make_width_table.py), and the characters a line may not be split inside.
#pragma once

#include <cstddef>
#include <string>

namespace vorlick {

// Columns a code point takes: 0 for combining marks, format characters and
// controls, 2 for East Asian wide and fullwidth characters and emoji shown
// as emoji, else 1.
int CellWidth(char32_t code);

// One character as the terminal draws it: a code point with the zero-width
// code points that follow it (combining marks, variation selectors, joiners)
// and, after a zero width joiner, the code point it joins. A line is never
// broken inside one. Control bytes stand alone.
struct Cluster {
  std::size_t length;  // bytes
  int width;           // columns
};

// The cluster at `text[at]` of valid UTF-8; `at` is below text.size().
Cluster NextCluster(const std::string& text, std::size_t at);

// Columns the whole text takes.
int TextWidth(const std::string& text);

}  // namespace vorlick
