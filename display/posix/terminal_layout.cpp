#include "terminal_layout.h"

#include "box_keys.h"
#include "box_text.h"
#include "deadline.h"

namespace vorlick {
namespace {

constexpr char kBold[] = "\x1b[1m";
constexpr char kReverse[] = "\x1b[7m";
constexpr char kPlain[] = "\x1b[0m";
constexpr char kEllipsis[] = "\xE2\x80\xA6";
constexpr int kTabStop = 8;
constexpr int kMinimumColumns = 10;

struct Range {
  char32_t first;
  char32_t last;
};

constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x0610, 0x061A},
    {0x064B, 0x065F}, {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x2064},
    {0x20D0, 0x20FF}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF},
};

constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},
    {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE30, 0xFE4F},
    {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F},
    {0x1F900, 0x1F9FF}, {0x20000, 0x3FFFD},
};

template <size_t N>
bool InRanges(const Range (&ranges)[N], char32_t code) {
  for (const Range& range : ranges) {
    if (code >= range.first && code <= range.last) return true;
  }
  return false;
}

int TextWidth(const std::string& text) {
  int width = 0;
  for (size_t at = 0; at < text.size();) {
    char32_t code = 0;
    at += DecodeUtf8(text, at, code);
    width += CellWidth(code);
  }
  return width;
}

// Greedy wrapping of one line without breaks.
class LineWrapper {
 public:
  LineWrapper(int columns, std::vector<std::string>& out)
      : columns_(columns), out_(out) {}

  void Add(char32_t code) {
    if (code == '\t') {
      do Put(' ', 1);
      while (width_ % kTabStop != 0 && width_ < columns_);
      return;
    }
    Put(code, CellWidth(code));
  }

  void End() { out_.push_back(line_); }

 private:
  void Put(char32_t code, int width) {
    if (code == ' ' && width_ + width > columns_) {
      // A space that does not fit ends the line and is not drawn.
      out_.push_back(line_);
      line_.clear(), width_ = 0;
      spaceAt_ = std::string::npos, widthAfterSpace_ = 0;
      return;
    }
    if (width_ + width > columns_ && width_ > 0) Break();
    if (code == ' ') {
      spaceAt_ = line_.size(), widthAfterSpace_ = 0;
    } else {
      widthAfterSpace_ += width;
    }
    AppendUtf8(code, line_);
    width_ += width;
  }

  // Breaks at the last space when there is one, else where the line is full.
  void Break() {
    if (spaceAt_ == std::string::npos) {
      out_.push_back(line_);
      line_.clear(), width_ = 0;
    } else {
      out_.push_back(line_.substr(0, spaceAt_));
      line_.erase(0, spaceAt_ + 1);
      width_ = widthAfterSpace_;
    }
    spaceAt_ = std::string::npos, widthAfterSpace_ = 0;
  }

  const int columns_;
  std::vector<std::string>& out_;
  std::string line_;
  int width_ = 0;
  size_t spaceAt_ = std::string::npos;
  int widthAfterSpace_ = 0;
};

// The first `columns` cells of `text`, with an ellipsis where it was cut.
std::string Truncate(const std::string& text, int columns) {
  if (TextWidth(text) <= columns) return text;
  std::string out;
  int width = 0;
  for (size_t at = 0; at < text.size();) {
    char32_t code = 0;
    const int length = DecodeUtf8(text, at, code);
    if (width + CellWidth(code) > columns - 1) break;
    out.append(text, at, length);
    width += CellWidth(code);
    at += length;
  }
  return out + kEllipsis;
}

const char* IconTag(Icon icon) {
  switch (icon) {
    case Icon::kError:
      return "(x) ";
    case Icon::kQuestion:
      return "(?) ";
    case Icon::kWarning:
      return "(!) ";
    case Icon::kInformation:
      return "(i) ";
    default:
      return "";
  }
}

// Text lines with the icon's tag before the first and the others indented
// under it; right-aligned lines are padded to the widest.
std::vector<std::string> TextLines(const BoxPlan& plan, const std::string& text,
                                   int columns) {
  const std::string tag = IconTag(plan.look.icon);
  const int indent = static_cast<int>(tag.size());
  std::vector<std::string> lines = WrapText(text, columns - indent);
  int widest = 0;
  for (const std::string& line : lines) {
    if (TextWidth(line) > widest) widest = TextWidth(line);
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string pad;
    if (plan.look.rightAligned) pad.assign(widest - TextWidth(lines[i]), ' ');
    lines[i] = (i == 0 ? tag : std::string(indent, ' ')) + pad + lines[i];
  }
  return lines;
}

void CutToHeight(std::vector<std::string>& textLines, int otherLines,
                 int rows) {
  if (rows <= 0) return;
  // One row stays free for the cursor after the last line.
  int room = rows - 1 - otherLines;
  if (room < 1) room = 1;
  if (static_cast<int>(textLines.size()) <= room) return;
  textLines.resize(room);
  textLines.back() = kEllipsis;
}

}  // namespace

int CellWidth(char32_t code) {
  if (InRanges(kZeroWidth, code)) return 0;
  return InRanges(kWide, code) ? 2 : 1;
}

std::vector<std::string> WrapText(const std::string& text, int columns) {
  if (columns < 1) columns = 1;
  std::vector<std::string> lines;
  size_t at = 0;
  while (true) {
    LineWrapper wrapper(columns, lines);
    while (at < text.size() && text[at] != '\n') {
      char32_t code = 0;
      at += DecodeUtf8(text, at, code);
      wrapper.Add(code);
    }
    wrapper.End();
    if (at >= text.size()) break;
    ++at;  // the line break
  }
  return lines;
}

std::string ButtonLine(const BoxPlan& plan, int focus) {
  std::string row;
  for (int i = 0; i < plan.buttons.count; ++i) {
    if (i > 0) row += "  ";
    const std::string label = ShownLabel(plan.language, plan.buttons.ids[i]);
    if (i == focus) {
      row += std::string(kReverse) + "> " + label + " <" + kPlain;
    } else {
      row += "[ " + label + " ]";
    }
  }
  return row;
}

TerminalLayout LayOutTerminalBox(const BoxPlan& plan,
                                 const std::string& caption,
                                 const std::string& text, int timeoutSeconds,
                                 int columns, int rows) {
  // The last column stays empty: writing there makes some terminals wrap.
  const int width = (columns < kMinimumColumns ? kMinimumColumns : columns) - 1;
  std::vector<std::string> textLines = TextLines(plan, text, width);
  const int otherLines = timeoutSeconds > 0 ? 6 : 4;
  CutToHeight(textLines, otherLines, rows);

  TerminalLayout layout;
  std::vector<std::string>& lines = layout.lines;
  lines.push_back(kBold + Truncate(caption, width) + kPlain);
  lines.emplace_back();
  lines.insert(lines.end(), textLines.begin(), textLines.end());
  lines.emplace_back();
  if (timeoutSeconds > 0) {
    layout.countdownLine = static_cast<int>(lines.size());
    lines.push_back(CountdownLine(plan.language,
                                  static_cast<std::uint64_t>(timeoutSeconds)));
    lines.emplace_back();
  }
  lines.push_back(ButtonLine(plan, plan.defaultIndex));
  return layout;
}

}  // namespace vorlick
