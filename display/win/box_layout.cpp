#include "box_layout.h"

namespace vorlick {
namespace {

// A line of about this many average characters still reads in one sweep.
constexpr int kReadableChars = 70;
constexpr int kBaseDpi = 96;

int Max(int a, int b) { return a > b ? a : b; }
int Min(int a, int b) { return a < b ? a : b; }

int Scale(int pixels, int dpi) {
  return (pixels * dpi + kBaseDpi / 2) / kBaseDpi;
}

int ButtonWidth(const LayoutInput& input) {
  const Spacing& s = input.spacing;
  return Max(s.minButtonWidth, input.widestLabel + 2 * s.labelPadding);
}

int RowWidth(const LayoutInput& input) {
  const int n = input.buttonCount;
  if (n <= 0) return 0;
  return n * ButtonWidth(input) + (n - 1) * input.spacing.buttonSpacing;
}

int TextLeft(const LayoutInput& input) {
  const Spacing& s = input.spacing;
  return s.marginX + (input.icon.cx > 0 ? input.icon.cx + s.iconGap : 0);
}

int BandHeight(const Spacing& s) { return 2 * s.bandMarginY + s.buttonHeight; }

int CountdownBlock(const LayoutInput& input) {
  return input.countdown.cy > 0 ? input.spacing.lineGap + input.countdown.cy
                                : 0;
}

// The text's size as shown: whole lines of it, with a scroll bar beside
// them, where all of it does not fit.
Size ShownText(const LayoutInput& input, bool& scrolls) {
  const Spacing& s = input.spacing;
  const int line = Max(input.lineHeight, 1);
  Size text{input.text.cx, Max(input.text.cy, line)};
  const int tallest =
      input.screen.cy - 2 * s.marginY - CountdownBlock(input) - BandHeight(s);
  scrolls = text.cy > tallest;
  if (scrolls) {
    text.cy = Max(line, tallest / line * line);
    text.cx += input.scrollBarWidth;
  }
  return text;
}

void PlaceButtons(const LayoutInput& input, BoxLayout& layout) {
  const int width = ButtonWidth(input);
  int x = layout.client.cx - input.spacing.bandMarginX - RowWidth(input);
  const int y = layout.bandTop + input.spacing.bandMarginY;
  for (int i = 0; i < input.buttonCount && i < kMaxButtons; ++i) {
    layout.buttons[i] = {x, y, width, input.spacing.buttonHeight};
    x += width + input.spacing.buttonSpacing;
  }
}

}  // namespace

Spacing SpacingAt(int dpi, int lineHeight) {
  return {.marginX = Scale(24, dpi),
          .marginY = Scale(24, dpi),
          .iconGap = Scale(12, dpi),
          .lineGap = Scale(6, dpi),
          .bandMarginX = Scale(11, dpi),
          .bandMarginY = Scale(11, dpi),
          .buttonSpacing = Scale(7, dpi),
          .buttonHeight = Max(Scale(23, dpi), lineHeight + Scale(8, dpi)),
          .minButtonWidth = Scale(75, dpi),
          .labelPadding = Scale(10, dpi)};
}

int WrapWidth(const LayoutInput& input, int averageCharWidth) {
  const int room = input.screen.cx - TextLeft(input) - input.spacing.marginX -
                   input.scrollBarWidth;
  return Max(1, Min(kReadableChars * averageCharWidth, room));
}

BoxLayout LayOut(const LayoutInput& input) {
  const Spacing& s = input.spacing;
  BoxLayout layout{};
  const Size text = ShownText(input, layout.scrolls);
  const int textLeft = TextLeft(input);
  const int blockWidth = Max(text.cx, input.countdown.cx);
  const int blockHeight = text.cy + CountdownBlock(input);
  const int contentHeight = Max(input.icon.cy, blockHeight);
  const int textTop = s.marginY + (contentHeight - blockHeight) / 2;

  if (input.icon.cx > 0) {
    layout.icon = {s.marginX, s.marginY, input.icon.cx, input.icon.cy};
  }
  layout.text = {textLeft, textTop, blockWidth, text.cy};
  if (input.countdown.cy > 0) {
    layout.countdown = {textLeft, textTop + text.cy + s.lineGap, blockWidth,
                        input.countdown.cy};
  }
  layout.client.cx = Max(Max(textLeft + blockWidth + s.marginX,
                             RowWidth(input) + 2 * s.bandMarginX),
                         Max(input.captionWidth, input.least.cx));
  layout.client.cy =
      Max(2 * s.marginY + contentHeight + BandHeight(s), input.least.cy);
  layout.bandTop = layout.client.cy - BandHeight(s);
  PlaceButtons(input, layout);
  return layout;
}

Place CenterIn(const Place& area, Size window) {
  const int x = area.x + Max(0, (area.cx - window.cx) / 2);
  const int y = area.y + Max(0, (area.cy - window.cy) / 2);
  return {x, y, window.cx, window.cy};
}

}  // namespace vorlick
