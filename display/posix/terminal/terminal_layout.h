// The terminal box as lines of text, worked out for the terminal's size when
// the box is made and again when the terminal is resized: the countdown line
// is part of it from the start, so counting down never moves anything.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "box_plan.h"

namespace vorlick {

// Marks in the lines where the text's attributes change. The screen turns
// them into the terminal's own sequences, or leaves them out on a terminal
// without attributes; they take no column. No other control character is
// ever in the lines: the caller's text has none left (ToDisplayText).
inline constexpr char kBoldOn = '\x01';
inline constexpr char kReverseOn = '\x02';
inline constexpr char kUnderlineOn = '\x03';
inline constexpr char kUnderlineOff = '\x04';
inline constexpr char kAttributesOff = '\x05';

struct TerminalLayout {
  std::vector<std::string> lines;  // top to bottom; the buttons are last
  int countdownLine = -1;          // -1 without a time-out
  int firstButtonLine = 0;
  int width = 0;  // columns a line may take: none takes more
};

// What the box shows, whatever the terminal's size.
struct TerminalContent {
  const BoxPlan& plan;
  const std::string& title;
  const std::string& body;
  std::uint64_t shownSeconds;  // what the countdown line shows; 0: no line
};

// Lays the box out for a terminal of `columns` and `rows` (0: unknown) with
// the focus on button `focus`. The last column stays free (writing there
// makes some terminals wrap): no line is wider than columns - 1 (and 1), and
// text wraps, and a title or a button too wide for the line is cut. Text
// lines are also cut where the box would be taller than the terminal, as
// lines scrolled away could not be redrawn.
TerminalLayout LayOutTerminalBox(const TerminalContent& content, int focus,
                                 int columns, int rows);

// The buttons in as many lines as they need at `width`: the focused one in
// reverse video as "> OK <", the others as "[ OK ]", so the focus shows on
// terminals without attributes too; each label's access key underlined.
// The focus does not change how many lines there are.
std::vector<std::string> ButtonLines(const BoxPlan& plan, int focus, int width);

// `text` split at its line breaks and wrapped at spaces (or anywhere in a
// word longer than the line, but never inside a character and its combining
// marks) to lines of at most `columns` cells. Tabs become spaces up to the
// next multiple of 8.
std::vector<std::string> WrapText(const std::string& text, int columns);

// The first `columns` cells of `text`, with an ellipsis where it was cut;
// the attribute marks of the cut part are kept, so none stays switched on.
std::string Truncate(const std::string& text, int columns);

}  // namespace vorlick
