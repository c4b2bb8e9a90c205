// The terminal box as lines of text, worked out once when the box is made:
// the countdown line is part of it from the start, so redrawing never moves
// anything.
#pragma once

#include <string>
#include <vector>

#include "box_style.h"

namespace vorlick {

struct TerminalLayout {
  std::vector<std::string> lines;  // top to bottom; the buttons are last
  int countdownLine = -1;          // -1 without a time-out
};

// `columns` and `rows` are the terminal's size (rows 0: unknown). Text lines
// are wrapped to fit the width, and cut when the box would be taller than the
// terminal, because lines scrolled away could not be redrawn.
TerminalLayout LayOutTerminalBox(const BoxPlan& plan,
                                 const std::string& caption,
                                 const std::string& text, int timeoutSeconds,
                                 int columns, int rows);

// The button line: the focused button in reverse video as "> OK <", the
// others as "[ OK ]", so the focus shows on terminals without attributes too.
std::string ButtonLine(const BoxPlan& plan, int focus);

// Columns a code point takes: 0 for combining marks, 2 for wide East Asian
// characters and emoji, else 1.
int CellWidth(char32_t code);

// `text` split at its line breaks and wrapped at spaces (or anywhere in a
// word longer than the line) to lines of at most `columns` cells. Tabs become
// spaces up to the next multiple of 8.
std::vector<std::string> WrapText(const std::string& text, int columns);

}  // namespace vorlick
