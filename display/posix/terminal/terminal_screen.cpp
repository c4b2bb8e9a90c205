#include "terminal_screen.h"

#include "terminal_width.h"
#include "write_all.h"

namespace vorlick {
namespace {

constexpr char kNewLine[] = "\r\n";

std::string Repeat(const char* text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += text;
  return out;
}

}  // namespace

TerminalScreen::TerminalScreen(int fd, const TerminalCaps& caps)
    : fd_(fd), caps_(caps), inPlace_(CanRewrite(caps)) {}

void TerminalScreen::Write(const std::string& text) {
  // A hung-up terminal shows up at the next read.
  WriteAll(fd_, text.data(), text.size());
}

std::string TerminalScreen::Up(int count) const {
  return Repeat(caps_.up, count);
}

std::string TerminalScreen::Styled(const std::string& line) const {
  // Without a way back to plain text no attribute may be switched on.
  const bool attributes = inPlace_ && caps_.plain[0] != 0;
  std::string out;
  bool bold = false, reverse = false;
  for (const char c : line) {
    if (c < kBoldOn || c > kAttributesOff) {
      out += c;
      continue;
    }
    if (!attributes) continue;
    switch (c) {
      case kBoldOn:
        out += caps_.bold, bold = true;
        break;
      case kReverseOn:
        out += caps_.reverse, reverse = true;
        break;
      case kUnderlineOn:
        out += caps_.underline;
        break;
      case kUnderlineOff:
        if (caps_.underline[0] == 0) break;
        // Some terminals end every attribute with the underline: the others
        // are switched on again.
        out += caps_.underlineOff[0] != 0 ? caps_.underlineOff : caps_.plain;
        if (bold) out += caps_.bold;
        if (reverse) out += caps_.reverse;
        break;
      default:
        out += caps_.plain, bold = false, reverse = false;
    }
  }
  return out;
}

void TerminalScreen::Draw(const TerminalLayout& layout) {
  std::string out;
  for (const std::string& line : layout.lines) {
    out += kNewLine;
    if (inPlace_) out += caps_.eraseLine;
    out += Styled(line);
  }
  if (inPlace_) {
    out += "\r" + Up(static_cast<int>(layout.lines.size()) - 1);
  }
  Write(out);
}

void TerminalScreen::Update(const TerminalLayout& layout, int first,
                            int count) {
  std::string out;
  if (!inPlace_) {
    for (int i = first; i < first + count; ++i) {
      out += kNewLine + Styled(layout.lines[i]);
    }
    Write(out);
    return;
  }
  // Down with line feeds: within the box they never scroll.
  out = Repeat(kNewLine, first);
  for (int i = first; i < first + count; ++i) {
    if (i > first) out += kNewLine;
    out += "\r" + std::string(caps_.eraseLine) + Styled(layout.lines[i]);
  }
  out += "\r" + Up(first + count - 1);
  Write(out);
}

bool TerminalScreen::Replace(const TerminalLayout& old,
                             const TerminalLayout& layout) {
  if (inPlace_ && caps_.eraseBelow[0] != 0) {
    std::string out = "\r" + std::string(caps_.eraseBelow);
    for (size_t i = 0; i < layout.lines.size(); ++i) {
      if (i > 0) out += kNewLine;
      out += Styled(layout.lines[i]);
    }
    out += "\r" + Up(static_cast<int>(layout.lines.size()) - 1);
    Write(out);
    return true;
  }
  if (inPlace_) {
    // Nothing erases the old box: the new one goes below it.
    Write(Repeat(kNewLine, static_cast<int>(old.lines.size()) - 1));
    Draw(layout);
    return true;
  }
  // Plain text stays as it is unless the terminal is now too narrow for it.
  for (const std::string& line : old.lines) {
    if (TextWidth(line) > layout.width) {
      Draw(layout);
      return true;
    }
  }
  return false;
}

void TerminalScreen::MoveBelow(const TerminalLayout& layout) {
  Write(Repeat(kNewLine, LinesToBelow(layout)));
}

int TerminalScreen::LinesToBelow(const TerminalLayout& layout) const {
  return inPlace_ ? static_cast<int>(layout.lines.size()) : 1;
}

}  // namespace vorlick
