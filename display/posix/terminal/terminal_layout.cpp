#include "terminal_layout.h"

#include <string_view>

#include "box_text.h"
#include "deadline.h"
#include "terminal_width.h"

namespace vorlick {
namespace {

constexpr char kEllipsis[] = "\xE2\x80\xA6";
constexpr int kTabStop = 8;
constexpr int kButtonGap = 2;

bool IsMark(char c) { return c >= kBoldOn && c <= kAttributesOff; }

// Greedy wrapping of one line without breaks, a cluster at a time.
class LineWrapper {
 public:
  LineWrapper(int columns, std::vector<std::string>& out)
      : columns_(columns), out_(out) {}

  void Add(std::string_view cluster, int width) {
    if (cluster == "\t") {
      do Put(" ", 1);
      while (width_ % kTabStop != 0 && width_ < columns_);
      return;
    }
    Put(cluster, width);
  }

  void End() { out_.push_back(line_); }

 private:
  void Put(std::string_view cluster, int width) {
    // A space with a combining mark on it is a character like any other.
    const bool space = cluster == " ";
    if (space && width_ + width > columns_) {
      // A space that does not fit ends the line and is not drawn.
      out_.push_back(line_);
      line_.clear(), width_ = 0;
      spaceAt_ = std::string::npos, widthAfterSpace_ = 0;
      return;
    }
    // What follows the last space may itself leave no room for the
    // cluster: then the line breaks again where it is full.
    while (width_ + width > columns_ && width_ > 0) Break();
    if (space) {
      spaceAt_ = line_.size(), widthAfterSpace_ = 0;
    } else {
      widthAfterSpace_ += width;
    }
    line_.append(cluster);
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
                                   int width) {
  const std::string tag = IconTag(plan.look.icon);
  const int indent = static_cast<int>(tag.size());
  std::vector<std::string> lines = WrapText(text, width - indent);
  int widest = 0;
  for (const std::string& line : lines) {
    if (TextWidth(line) > widest) widest = TextWidth(line);
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string pad;
    if (plan.look.rightAligned) pad.assign(widest - TextWidth(lines[i]), ' ');
    // Cut only where the terminal is narrower than the icon's tag.
    lines[i] = Truncate(
        (i == 0 ? tag : std::string(indent, ' ')) + pad + lines[i], width);
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

// The label with its access key between underline marks.
std::string UnderlinedLabel(Language language, int buttonId) {
  const Label label = KeyedLabel(language, buttonId);
  std::string out;
  for (int i = 0; i < label.length; ++i) {
    // A code point at a time: one unit, or a surrogate pair.
    const bool pair = label.text[i] >= 0xD800 && label.text[i] <= 0xDBFF &&
                      i + 1 < label.length;
    const char16_t units[3] = {label.text[i], pair ? label.text[i + 1] : u'\0',
                               0};
    if (i == label.key) out += kUnderlineOn;
    out += ToDisplayText(units);
    if (i == label.key) out += kUnderlineOff;
    if (pair) ++i;
  }
  return out;
}

}  // namespace

std::vector<std::string> WrapText(const std::string& text, int columns) {
  if (columns < 1) columns = 1;
  std::vector<std::string> lines;
  size_t at = 0;
  while (true) {
    LineWrapper wrapper(columns, lines);
    while (at < text.size() && text[at] != '\n') {
      const Cluster cluster = NextCluster(text, at);
      wrapper.Add(std::string_view(text).substr(at, cluster.length),
                  cluster.width);
      at += cluster.length;
    }
    wrapper.End();
    if (at >= text.size()) break;
    ++at;  // the line break
  }
  return lines;
}

std::string Truncate(const std::string& text, int columns) {
  if (TextWidth(text) <= columns) return text;
  std::string out;
  int width = 0;
  bool cut = false;
  for (size_t at = 0; at < text.size();) {
    const Cluster cluster = NextCluster(text, at);
    if (!cut && width + cluster.width > columns - 1) {
      cut = true;
      out += kEllipsis;
    }
    if (!cut) {
      out.append(text, at, cluster.length);
      width += cluster.width;
    } else if (IsMark(text[at])) {
      out += text[at];
    }
    at += cluster.length;
  }
  return out;
}

std::vector<std::string> ButtonLines(const BoxPlan& plan, int focus,
                                     int width) {
  std::vector<std::string> lines(1);
  int used = 0;
  for (int i = 0; i < plan.buttons.count; ++i) {
    const std::string label =
        UnderlinedLabel(plan.language, plan.buttons.ids[i]);
    const std::string button = Truncate(
        i == focus ? kReverseOn + ("> " + label) + " <" + kAttributesOff
                   : "[ " + label + " ]",
        width);
    const int buttonWidth = TextWidth(button);
    if (used > 0 && used + kButtonGap + buttonWidth > width) {
      lines.emplace_back();
      used = 0;
    }
    if (used > 0) {
      lines.back().append(kButtonGap, ' ');
      used += kButtonGap;
    }
    lines.back() += button;
    used += buttonWidth;
  }
  return lines;
}

TerminalLayout LayOutTerminalBox(const TerminalContent& content, int focus,
                                 int columns, int rows) {
  TerminalLayout layout;
  layout.width = columns > 1 ? columns - 1 : 1;
  const int width = layout.width;
  const bool countdown = content.shownSeconds > 0;
  std::vector<std::string> textLines =
      TextLines(content.plan, content.body, width);
  const std::vector<std::string> buttons =
      ButtonLines(content.plan, focus, width);
  // The title, the gaps and the countdown line.
  const int otherLines = 3 + (countdown ? 2 : 0);
  CutToHeight(textLines, otherLines + static_cast<int>(buttons.size()), rows);

  std::vector<std::string>& lines = layout.lines;
  lines.push_back(Truncate(kBoldOn + content.title + kAttributesOff, width));
  lines.emplace_back();
  lines.insert(lines.end(), textLines.begin(), textLines.end());
  lines.emplace_back();
  if (countdown) {
    layout.countdownLine = static_cast<int>(lines.size());
    lines.push_back(Truncate(
        CountdownLine(content.plan.language, content.shownSeconds), width));
    lines.emplace_back();
  }
  layout.firstButtonLine = static_cast<int>(lines.size());
  lines.insert(lines.end(), buttons.begin(), buttons.end());
  return layout;
}

}  // namespace vorlick
