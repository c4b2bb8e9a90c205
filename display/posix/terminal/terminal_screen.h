// Draws the terminal box's lines. Where the terminal can move the cursor up
// and erase a line, the box is drawn once and its lines are redrawn in place;
// the cursor rests at the start of the box's first line, which keeps its
// place when the terminal re-wraps its lines on a resize. Anywhere else (a
// dumb terminal, an editor's shell buffer, a serial console) the box is
// plain text without a single escape sequence, and each change is shown on a
// new line below it.
#pragma once

#include <string>

#include "terminal_caps.h"
#include "terminal_layout.h"

namespace vorlick {

class TerminalScreen {
 public:
  // Draws in place when CanRewrite(caps); `caps` must outlive the screen.
  TerminalScreen(int fd, const TerminalCaps& caps);

  bool InPlace() const { return inPlace_; }

  // Draws the whole box below the cursor.
  void Draw(const TerminalLayout& layout);

  // Shows `count` lines from `first` again, after they changed.
  void Update(const TerminalLayout& layout, int first, int count);

  // Puts `layout` in the place of the box drawn as `old`, after a resize;
  // as plain text only when lines of `old` are now too wide. True when it
  // drew `layout`.
  bool Replace(const TerminalLayout& old, const TerminalLayout& layout);

  // Moves the cursor below the box, where whatever comes next belongs.
  void MoveBelow(const TerminalLayout& layout);

  // Line feeds that take the cursor from where it rests to below the box,
  // where whatever comes next belongs.
  int LinesToBelow(const TerminalLayout& layout) const;

  // `line` as the terminal gets it: its marks as the terminal's sequences,
  // or none in plain text.
  std::string Styled(const std::string& line) const;

 private:
  std::string Up(int count) const;
  void Write(const std::string& text);

  const int fd_;
  const TerminalCaps& caps_;
  const bool inPlace_;
};

}  // namespace vorlick
